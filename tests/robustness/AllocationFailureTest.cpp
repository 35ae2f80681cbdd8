#include <malloc.h>
#include <sys/wait.h>
#include <fstream>
#include <functional>

#include "FailingAllocator.h"
#include "RobustnessSupport.h"

namespace {

// Every nothrow allocation of a whole dump or comparison fails in turn; each
// run ends without a crash or a leak (the sanitizer build checks at exit).
class AllocationFailureTest : public ::testing::Test {
 protected:
  AllocationFailureTest() : _Output("MOKTemp", _Temporary.Path().c_str()) {}

  TemporaryDirectory _Temporary;
  ScopedEnvironment _Output;
};

// Tests that a dump survives every failed allocation: result 3, or a
// well-formed document, the undisturbed one or one carrying a
// "VisuXMLError" element; a dump reported done always leaves its file.
TEST_F(AllocationFailureTest, WholeDumpReportsOrWritesAGoodDocument) {
  const MOKLightXmlElement expected = ExpectedScene();
  std::size_t total = 0;
  for (std::size_t n = 0; n <= total + 1; ++n) {
    SCOPED_TRACE("failing allocation " + std::to_string(n));
    const std::string path =
        DumpFile(_Temporary.Path(), VisuXMLDumpControlerTestAccess::Counter());
    SceneControler controler;
    FailingAllocator::FailNth(n);
    VisuXMLError result = controler.InitializeControler();
    const VisuXMLError finished = controler.FinishXMLDump();
    if (n == 0) total = FailingAllocator::Count();
    FailingAllocator::Disarm();
    if (result == 0) result = finished;
    if (n == 0) {
      ASSERT_EQ(result, 0u);
    }
    if (result == 3) continue;
    if (result != 0) {
      EXPECT_FALSE(FileExists(path));
      continue;
    }
    MOKLightXmlElement written;
    ASSERT_TRUE(ParseText(ReadWholeFile(path), written)) << path;
    EXPECT_TRUE(SameTree(written, expected, true) ||
                TreeHasElementNamed(written, "VisuXMLError"))
        << ReadWholeFile(path);
  }
  EXPECT_GT(total, 10u);
}

// Tests that a comparison survives every failed allocation: equal documents
// agree only when nothing failed (a loss shows as a "VisuXMLError"
// difference), different ones never agree, an unbuilt side is invalid.
TEST_F(AllocationFailureTest, WholeComparisonNeverLies) {
  const std::string path = _Temporary.File("reference.xml");
  std::string text;
  ASSERT_TRUE(WriteText(ExpectedScene(12), text));
  WriteWholeFile(path, text);
  for (std::size_t objects : {12, 11}) {
    const MOKLightXmlElement tree = ExpectedScene(objects);
    std::size_t total = 0;
    for (std::size_t n = 0; n <= total + 1; ++n) {
      SCOPED_TRACE(std::to_string(objects) + " objects, failing allocation " +
                   std::to_string(n));
      FailingAllocator::FailNth(n);
      VisuXMLFile reference(MOKUnicodeString(path.c_str()));
      VisuXMLFile output(tree);
      MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
      const bool valid = reference.IsFileValid() == 1 && output.IsFileValid() == 1;
      const unsigned char same = valid ? reference.Compare(&output, report) : 0;
      if (n == 0) total = FailingAllocator::Count();
      FailingAllocator::Disarm();
      if (n == 0) {
        ASSERT_TRUE(valid);
      }
      const bool reported = TreeHasElementNamed(report, "VisuXMLError");
      EXPECT_EQ(same, objects == 12 && (n == 0 || (valid && !reported)) ? 1 : 0);
    }
    EXPECT_GT(total, 10u);
  }
}

// Tests that a failed allocation never makes the search miss an error
// element: the safe answer is "found", so the replay refuses to compare.
TEST_F(AllocationFailureTest, SearchNeverMissesAnErrorElement) {
  MOKLightXmlElement tree = ExpectedScene(2);
  MOKLightXmlElement object(MOKUnicodeString("Object"));
  object.AddChild(MOKLightXmlElement(MOKUnicodeString("VisuXMLError")));
  tree.AddChild(object);
  VisuXMLFile file(tree);
  ASSERT_EQ(file.IsFileValid(), 1);
  for (std::size_t n = 1; n <= 4; ++n) {
    ScopedAllocationFailure failure(n);
    EXPECT_EQ(file.SearchForMarkup("VisuXMLError"), 1) << n;
  }
}

// Virtual size of this process, in bytes.
long VirtualBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmSize:", 0) == 0) return std::stol(line.substr(7)) * 1024;
  return 0;
}

// Runs the operation in a child whose address space is capped a few
// megabytes above its use, so that every allocation can fail, the host's
// throwing ones included. 0: clean, 1: an exception escaped, 2: a wrong
// result, 128 + n: killed by signal n.
int RunCapped(long headroomMegabytes, const std::function<bool()>& operation) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::malloc_trim(0);  // memory the parent freed would serve uncapped
    struct rlimit limit;
    limit.rlim_cur = limit.rlim_max =
        static_cast<rlim_t>(VirtualBytes() + headroomMegabytes * 1024 * 1024);
    ::setrlimit(RLIMIT_AS, &limit);
    int outcome = 0;
    try {
      outcome = operation() ? 0 : 2;
    } catch (...) {
      outcome = 1;
    }
    std::_Exit(outcome);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Tests that real memory exhaustion while reading a reference, dumping and
// comparing gives a result, never an exception or a crash. The sanitizers
// reserve terabytes of address space, so this runs in the plain build only.
TEST_F(AllocationFailureTest, RealExhaustionNeverThrowsOrCrashes) {
#ifdef VISUXML_SANITIZED
  GTEST_SKIP() << "the sanitizers cannot run with a capped address space";
#endif
  const MOKLightXmlElement tree = ExpectedScene(200000);
  std::string text;
  ASSERT_TRUE(WriteText(tree, text));
  const std::string path = _Temporary.File("ref.xml");
  WriteWholeFile(path, text);
  const std::function<bool()> operations[] = {
      [&path]() {
        return VisuXMLFile(MOKUnicodeString(path.c_str())).IsFileValid() <= 1;
      },
      []() {  // half the trees' size: exhausted calls are slow to fail
        SceneControler controler(100000);
        const VisuXMLError initialized = controler.InitializeControler();
        const VisuXMLError finished = controler.FinishXMLDump();
        return (initialized == 0 || initialized == 3) &&
               (finished == 0 || finished == 2);
      },
      [&tree]() {
        VisuXMLFile reference(tree);
        VisuXMLFile output(tree);
        if (reference.IsFileValid() == 0 || output.IsFileValid() == 0) return true;
        MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
        return reference.Compare(&output, report) <= 1;
      }};
  // A spread of caps makes the failure land in every phase of the work.
  for (std::size_t i = 0; i < 3; ++i)
    for (long headroom : {2, 4, 6, 8, 10, 15, 20, 30, 40, 60, 80})
      EXPECT_EQ(RunCapped(headroom, operations[i]), 0)
          << "operation " << i << ", headroom " << headroom << " MB";
}

}  // namespace
