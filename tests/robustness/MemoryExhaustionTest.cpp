#include <gtest/gtest.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "RobustnessSupport.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLFile.h"

namespace {

// Real memory exhaustion, not only the nothrow allocations the library
// checks itself: the process's address space is capped a few megabytes
// above what it uses, so that every allocation can fail, the host's
// throwing ones included. The library must neither let an exception out
// nor crash. The sanitizers reserve terabytes of address space for
// themselves, so these tests run in the plain build only.

// Virtual size of this process, in bytes.
long VirtualBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmSize:", 0) == 0) return std::stol(line.substr(7)) * 1024;
  return 0;
}

enum ChildOutcome { kClean = 0, kExceptionEscaped = 1, kWrongResult = 2 };

// Runs the operation in a child whose address space is capped at the
// given headroom; the child's exit code, or 128 + the signal that ended it.
int RunCapped(long headroomMegabytes, const std::function<bool()>& operation) {
  const pid_t child = ::fork();
  if (child == 0) {
    // Memory the parent freed would otherwise serve the child uncapped.
    ::malloc_trim(0);
    struct rlimit limit;
    limit.rlim_cur = limit.rlim_max =
        static_cast<rlim_t>(VirtualBytes() + headroomMegabytes * 1024 * 1024);
    ::setrlimit(RLIMIT_AS, &limit);
    int outcome = kClean;
    try {
      if (!operation()) outcome = kWrongResult;
    } catch (...) {
      outcome = kExceptionEscaped;
    }
    std::_Exit(outcome);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

class MemoryExhaustionTest : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef VISUXML_SANITIZED
    GTEST_SKIP() << "the sanitizers cannot run with a capped address space";
#endif
  }

  TemporaryDirectory _Temporary;
};

// Where the cap bites depends on the allocator's layout; a spread of caps
// makes the failing allocation land in every phase of the work.
const long kHeadrooms[] = {2, 4, 6, 8, 10, 15, 20, 30, 40, 60, 80};

// Tests that reading a large reference with too little memory gives an
// invalid file, never an exception or a crash.
TEST_F(MemoryExhaustionTest, ReadingRefusesCleanly) {
  std::string text;
  ASSERT_TRUE(WriteText(ExpectedScene(200000), text));
  const std::string path = _Temporary.File("ref.xml");
  WriteWholeFile(path, text);
  for (long headroom : kHeadrooms) {
    SCOPED_TRACE("headroom " + std::to_string(headroom) + " MB");
    EXPECT_EQ(RunCapped(headroom, [&path]() {
                VisuXMLFile reference(MOKUnicodeString(path.c_str()));
                return reference.IsFileValid() <= 1;
              }),
              kClean);
  }
}

// Tests that a large dump with too little memory returns a result, never an
// exception or a crash. Once memory is out every later call fails with an
// exception caught inside the library, which costs time: the dump is half
// the size of the trees compared below, and still outgrows the smaller caps.
TEST_F(MemoryExhaustionTest, DumpNeverThrowsOrCrashes) {
  ScopedEnvironment output("MOKTemp", _Temporary.Path().c_str());
  for (long headroom : kHeadrooms) {
    SCOPED_TRACE("headroom " + std::to_string(headroom) + " MB");
    EXPECT_EQ(RunCapped(headroom, []() {
                SceneControler controler(100000);
                const VisuXMLError initialized = controler.InitializeControler();
                const VisuXMLError finished = controler.FinishXMLDump();
                return (initialized == 0 || initialized == 3) &&
                       (finished == 0 || finished == 2);
              }),
              kClean);
  }
}

// Tests that comparing large trees with too little memory never throws or
// crashes: a side that cannot be copied is not valid, anything else ends
// as a difference or an agreement.
TEST_F(MemoryExhaustionTest, ComparisonNeverThrowsOrCrashes) {
  const MOKLightXmlElement tree = ExpectedScene(200000);
  for (long headroom : kHeadrooms) {
    SCOPED_TRACE("headroom " + std::to_string(headroom) + " MB");
    EXPECT_EQ(RunCapped(headroom, [&tree]() {
                VisuXMLFile reference(tree);
                VisuXMLFile output(tree);
                if (reference.IsFileValid() == 0 || output.IsFileValid() == 0)
                  return true;
                MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
                return reference.Compare(&output, report) <= 1;
              }),
              kClean);
  }
}

}  // namespace
