#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "DumpFixture.h"
#include "VisuXMLFile.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;

// The file system refuses a dump's file in every way it can; the host gets
// a failure back and no reference is ever left half-written.
class FileSystemFaultTest : public DumpFixture {
 protected:
  const std::string _Old = "<Scene Color=\"old\"/>\n";
};

// Tests that a missing or overlong output directory, or a directory where
// the file goes, gives 2, leaves nothing behind and still counts the dump.
TEST_F(FileSystemFaultTest, UnusableOutputIsRefused) {
  const std::string target = _Tmp.File("Scene3.xml");
  ASSERT_EQ(::mkdir(target.c_str(), 0755), 0);
  for (const std::string& directory :
       {_Tmp.File("missing"), _Tmp.File(std::string(8192, 'd')), _Tmp.Path()}) {
    SCOPED_TRACE(directory.substr(0, 80));
    Set("MOKTemp", directory);
    SceneControler controler;
    ASSERT_EQ(controler.InitializeControler(), 0u);
    EXPECT_EQ(controler.FinishXMLDump(), 2u);
    // The diagnostics' file, and the directory standing at Scene3.xml.
    EXPECT_EQ(CountEntries(_Tmp.Path()), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(CountEntries(target), 0u);
  }
  EXPECT_EQ(Access::Counter(), 4u);
}

// Tests that a capture cut by the file size limit reports 2, keeps the old
// reference byte for byte, appends nothing to it and leaves no temporary
// file.
TEST_F(FileSystemFaultTest, CaptureCutBySizeLimitKeepsTheOldReference) {
  Configure("capture");
  const std::string target = _Ref.File("T1_Scene_Ref_1.xml");
  WriteWholeFile(target, _Old);
  SceneControler controler(SceneContent::Objects(20000));
  ASSERT_EQ(controler.InitializeControler(), 0u);
  ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit previous;
  ::getrlimit(RLIMIT_FSIZE, &previous);
  struct rlimit limit = previous;
  limit.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const VisuXMLError result = controler.FinishXMLDump();
  ::setrlimit(RLIMIT_FSIZE, &previous);
  EXPECT_EQ(result, 2u);
  EXPECT_EQ(ReadWholeFile(target), _Old);
  EXPECT_EQ(CountEntries(_Ref.Path()), 1u);
}

// Tests that a pipe nobody writes, or an endless device, as reference is
// refused instead of blocking the host.
TEST_F(FileSystemFaultTest, PipeAsReferenceIsRefusedWithoutBlocking) {
  EXPECT_EQ(VisuXMLFile(MOKUnicodeString("/dev/zero")).IsFileValid(), 0);
  const std::string pipe = _Ref.File("Scene_Ref_1.xml");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_EXIT(
      {
        ::alarm(10);
        std::_Exit(VisuXMLFile(MOKUnicodeString(pipe.c_str())).IsFileValid());
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
