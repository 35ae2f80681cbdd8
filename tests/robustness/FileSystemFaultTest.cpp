#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"
#include "MemoryStreams.h"
#include "RobustnessSupport.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLFile.h"

namespace {

std::vector<std::string> DirectoryEntries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* directory = ::opendir(path.c_str())) {
    while (dirent* entry = ::readdir(directory)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(directory);
  }
  return names;
}

bool IsCharacterDevice(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

// Writes the tree through the host's writing chain, as the controller does.
int WriteDocument(const MOKLightXmlElement& tree, const std::string& path) {
  MOKLightXmlParser parser;
  MOKLightXmlOutputFile file(MOKUnicodeString(path.c_str()));
  MOKLightXmlOutputFormatter formatter(file);
  return parser.GetXml(tree, formatter);
}

// A document of about the given size, to make writes take a while.
MOKLightXmlElement LargeScene(std::size_t bytes) {
  return ExpectedScene(bytes / 40);
}

// The file system refuses a dump's file in every way it can; the host must
// get a failure back, and no reference may ever be left half-written.
class FileSystemFaultTest : public ::testing::Test {
 protected:
  TemporaryDirectory _Temporary;
};

// Tests that a missing output directory gives 2 and creates nothing.
TEST_F(FileSystemFaultTest, MissingOutputDirectoryIsRefused) {
  const std::string missing = _Temporary.File("missing");
  ScopedEnvironment output("MOKTemp", missing.c_str());
  SceneControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 2u);
  EXPECT_FALSE(FileExists(missing));
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), 2u);
}

// Tests that an output directory whose path is longer than the system
// takes gives 2 and creates nothing.
TEST_F(FileSystemFaultTest, OverlongOutputPathIsRefused) {
  const std::string overlong = _Temporary.File(std::string(8192, 'd'));
  ScopedEnvironment output("MOKTemp", overlong.c_str());
  SceneControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 2u);
  EXPECT_TRUE(DirectoryEntries(_Temporary.Path()).empty());
}

// Tests that a directory standing where the file goes gives 2 and stays an
// empty directory, with nothing left beside it.
TEST_F(FileSystemFaultTest, DirectoryAsTargetIsRefused) {
  ScopedEnvironment output("MOKTemp", _Temporary.Path().c_str());
  const std::string target = _Temporary.File("Scene1.xml");
  ASSERT_EQ(::mkdir(target.c_str(), 0755), 0);
  SceneControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 2u);
  struct stat info;
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_TRUE(DirectoryEntries(target).empty());
  EXPECT_EQ(DirectoryEntries(_Temporary.Path()).size(), 1u);
}

// Tests that writing to a full device fails (GetXml gives 0) and leaves the
// device node in place: a temporary file renamed over it would replace
// /dev/full for every process on the machine.
TEST_F(FileSystemFaultTest, FullDeviceFailsAndStaysADevice) {
  ASSERT_TRUE(IsCharacterDevice("/dev/full"));
  const int written = WriteDocument(LargeScene(256 * 1024), "/dev/full");
  const bool stillDevice = IsCharacterDevice("/dev/full");
  if (!stillDevice && ::geteuid() == 0) {
    // Put the machine back before reporting.
    ::unlink("/dev/full");
    ::mknod("/dev/full", S_IFCHR | 0666, ::makedev(1, 7));
    ::chmod("/dev/full", 0666);
  }
  EXPECT_EQ(written, 0);
  EXPECT_TRUE(stillDevice);
}

// Tests that a write that fails part-way (the file size limit is reached)
// leaves the existing reference whole and no temporary file behind.
TEST_F(FileSystemFaultTest, FailedWriteKeepsTheOldReference) {
  const std::string target = _Temporary.File("Scene_Ref_1.xml");
  const std::string old = "<Scene Name=\"old\"/>\n";
  WriteWholeFile(target, old);
  ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit previous;
  ::getrlimit(RLIMIT_FSIZE, &previous);
  struct rlimit limit = previous;
  limit.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const int written = WriteDocument(LargeScene(1024 * 1024), target);
  ::setrlimit(RLIMIT_FSIZE, &previous);
  EXPECT_EQ(written, 0);
  EXPECT_EQ(ReadWholeFile(target), old);
  EXPECT_EQ(DirectoryEntries(_Temporary.Path()).size(), 1u);
}

// Tests that a capture whose reference cannot be written whole reports 2
// and keeps the previous reference.
TEST_F(FileSystemFaultTest, CaptureThatCannotWriteKeepsTheOldReference) {
  ScopedEnvironment mode("MOK_RECORD_MODE", "capture");
  ScopedEnvironment references("KVB_TRQ_REF", _Temporary.Path().c_str());
  ScopedEnvironment name("TRQ_LOG_NAME", "T1");
  const std::string target = _Temporary.File("T1_Scene_Ref_1.xml");
  const std::string old = "<Scene Name=\"old\"/>\n";
  WriteWholeFile(target, old);
  SceneControler controler(20000);
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
  // Not even the trailing newline reaches the previous reference.
  EXPECT_EQ(ReadWholeFile(target), old);
}

// Tests that a writer killed at any moment leaves the reference either as
// it was or complete, never cut.
TEST_F(FileSystemFaultTest, KilledWriterNeverLeavesAHalfReference) {
  const std::string target = _Temporary.File("Scene_Ref_1.xml");
  const MOKLightXmlElement tree = LargeScene(8 * 1024 * 1024);
  std::string complete;
  ASSERT_TRUE(WriteText(tree, complete));
  const std::string old = "<Scene Name=\"old\"/>\n";
  for (int delayMs : {0, 5, 20, 60, 150}) {
    SCOPED_TRACE("killed after " + std::to_string(delayMs) + " ms");
    WriteWholeFile(target, old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(WriteDocument(tree, target) == 1 ? 0 : 1);
    ::usleep(static_cast<useconds_t>(delayMs) * 1000);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string now = ReadWholeFile(target);
    EXPECT_TRUE(now == old || now == complete)
        << "size " << now.size() << " of " << complete.size();
  }
}

// Tests that a pipe nobody reads, as target, fails at once instead of
// blocking the host.
TEST_F(FileSystemFaultTest, PipeAsTargetFailsWithoutBlocking) {
  const std::string pipe = _Temporary.File("Scene1.xml");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_EXIT(
      {
        ::alarm(10);
        std::_Exit(WriteDocument(ExpectedScene(), pipe) == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// Tests that an endless device as reference is refused quickly.
TEST_F(FileSystemFaultTest, EndlessDeviceAsReferenceIsRefused) {
  VisuXMLFile reference(MOKUnicodeString("/dev/zero"));
  EXPECT_EQ(reference.IsFileValid(), 0);
}

// Tests that a pipe nobody writes, as reference, is refused instead of
// blocking the host for ever.
TEST_F(FileSystemFaultTest, PipeAsReferenceIsRefusedWithoutBlocking) {
  const std::string pipe = _Temporary.File("Scene_Ref_1.xml");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_EXIT(
      {
        ::alarm(10);
        VisuXMLFile reference(MOKUnicodeString(pipe.c_str()));
        std::_Exit(reference.IsFileValid() == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
