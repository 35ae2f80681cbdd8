#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "RobustnessSupport.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLMarkup.h"

namespace {

// Ten thousand dumps in one process.
constexpr unsigned int kDumps = 10000;

// What the resident size may grow between the first thousand dumps and the
// last: allocator slack, larger under the sanitizers, whose quarantine
// holds freed blocks for a while.
#ifdef VISUXML_SANITIZED
constexpr long kResidentSlackKilobytes = 32768;
#else
constexpr long kResidentSlackKilobytes = 4096;
#endif

// Dump files go to memory when the machine offers it: the test is about the
// library, not about the disk's flush rate.
const char* FastTemporaryBase() {
  struct stat info;
  if (::stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) &&
      ::access("/dev/shm", W_OK) == 0)
    return "/dev/shm";
  return std::getenv("TMPDIR");
}

std::size_t CountEntries(const std::string& path) {
  std::size_t count = 0;
  if (DIR* directory = ::opendir(path.c_str())) {
    while (dirent* entry = ::readdir(directory))
      if (entry->d_name[0] != '.') ++count;
    ::closedir(directory);
  }
  return count;
}

class StressTest : public ::testing::Test {
 protected:
  StressTest()
      : _Base("TMPDIR", FastTemporaryBase()),
        _Output("MOKTemp", _Temporary.Path().c_str()) {}

  std::string DumpFile(unsigned int counter) const {
    return _Temporary.File("Scene" + std::to_string(counter) + ".xml");
  }

  ScopedEnvironment _Base;
  TemporaryDirectory _Temporary;
  ScopedEnvironment _Output;
};

// Tests that many dumps in one process all succeed, are numbered one after
// the other, write the right documents and leave memory flat.
TEST_F(StressTest, ManyDumpsInOneProcess) {
  const double start = NowSeconds();
  unsigned int failures = 0;
  long residentAtTenth = 0;
  for (unsigned int i = 1; i <= kDumps; ++i) {
    SceneControler controler;
    if (controler.InitializeControler() != 0 || controler.FinishXMLDump() != 0)
      ++failures;
    if (i == kDumps / 10) residentAtTenth = PeakResidentKilobytes();
  }
  const long residentAtEnd = PeakResidentKilobytes();
  std::printf("[ measured ] %u dumps: %.2f s, peak resident %ld kB after %u, "
              "%ld kB after %u\n",
              kDumps, NowSeconds() - start, residentAtTenth, kDumps / 10,
              residentAtEnd, kDumps);

  EXPECT_EQ(failures, 0u);
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), kDumps + 1);
  EXPECT_EQ(CountEntries(_Temporary.Path()), std::size_t{kDumps});
  for (unsigned int counter = 1; counter <= kDumps; ++counter)
    ASSERT_TRUE(FileExists(DumpFile(counter))) << counter;
  const MOKLightXmlElement expected = ExpectedScene();
  for (unsigned int counter : {1u, kDumps / 2, kDumps}) {
    MOKLightXmlElement written;
    ASSERT_TRUE(ParseText(ReadWholeFile(DumpFile(counter)), written)) << counter;
    EXPECT_TRUE(SameTree(written, expected, true)) << counter;
  }
  EXPECT_LT(residentAtEnd - residentAtTenth, kResidentSlackKilobytes);
}

// A client whose markup may contain itself, nested as deep as asked.
class NestingControler : public VisuXMLDumpControler {
 public:
  explicit NestingControler(unsigned int depth) : _Depth(depth) {}
  VisuXMLError DumpXML() override {
    VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup);
    VisuXMLMarkup::CreateXMLMarkup("Group", VisuXMLStandardMarkup);
    const auto any = static_cast<VisuXMLMarkupToMarkupLink>(3);
    VisuXMLMarkup::AttachMarkup("Scene", "Group", any);
    VisuXMLMarkup::AttachMarkup("Group", "Group", any);
    VisuXMLError result = VisuXMLMarkup::OpenMarkup("Scene");
    for (unsigned int i = 0; i < _Depth; ++i)
      result |= VisuXMLMarkup::OpenMarkup("Group");
    for (unsigned int i = 0; i < _Depth; ++i)
      result |= VisuXMLMarkup::CloseMarkup("Group");
    return result | VisuXMLMarkup::CloseMarkup("Scene");
  }
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }

 private:
  unsigned int _Depth;
};

// Tests that a dump nested 100,000 deep (10,000 under the sanitizers) is
// streamed, written and freed without exhausting the call stack.
TEST_F(StressTest, DeeplyNestedDump) {
  const unsigned int depth = 100000 / (kSizeDivisor > 1 ? 10 : 1);
  NestingControler controler(depth);
  const double start = NowSeconds();
  ASSERT_EQ(controler.InitializeControler(), 0u);
  ASSERT_EQ(controler.FinishXMLDump(), 0u);
  std::printf("[ measured ] dump nested %u deep: %.2f s, peak resident %ld kB\n",
              depth, NowSeconds() - start, PeakResidentKilobytes());
  MOKLightXmlElement written;
  ASSERT_TRUE(ParseText(ReadWholeFile(DumpFile(1)), written));
  EXPECT_EQ(TreeSize(written), depth + 1);
}

}  // namespace
