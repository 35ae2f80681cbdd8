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
// exception or a crash.
// Disabled: two faults. The library lets std::bad_alloc thrown by the
// host's element out of its calls (here CloseMarkup, from the AddChild in
// VisuXMLMarkup::PopMarkupFromHistory, VisuXMLDump/src/grammar/
// VisuXMLMarkupStream.cpp, after the entry was already taken off the
// stack, so entry and instance leak). And MOKLightXmlElement::AddChild
// (host/MOKLightXmlElement.cpp, both forms, and AppendNewChild) pushes a
// null child before the allocation that throws, so the element keeps a
// null child and the next DestroyChildren dereferences it: the
// controller's destructor then crashes the host with SIGSEGV. Proposed
// fixes: allocate the child first and push it after; catch std::bad_alloc
// at every public entry of the library and return 3, with the stack
// changed only after the step that can throw succeeded.
TEST_F(MemoryExhaustionTest, DISABLED_DumpNeverThrowsOrCrashes) {
  ScopedEnvironment output("MOKTemp", _Temporary.Path().c_str());
  for (long headroom : kHeadrooms) {
    SCOPED_TRACE("headroom " + std::to_string(headroom) + " MB");
    EXPECT_EQ(RunCapped(headroom, []() {
                SceneControler controler(200000);
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
// Disabled: the element copy in VisuXMLFile's constructor from an element
// (VisuXMLDump/src/compare/VisuXMLFile.cpp) and the result elements built
// by Compare use the host's throwing allocations, and std::bad_alloc comes
// out of the library. Proposed fix: catch it in the constructor (no root,
// as when the nothrow allocation fails) and in Compare (an uncompared
// error, as for a chain that cannot be built).
TEST_F(MemoryExhaustionTest, DISABLED_ComparisonNeverThrowsOrCrashes) {
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
