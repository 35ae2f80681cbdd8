#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "FailingAllocator.h"
#include "MOKLightXmlElement.h"
#include "MOKLightXmlParser.h"
#include "MOKLightXmlOutputFile.h"
#include "MemoryStreams.h"
#include "RobustnessSupport.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLFile.h"

namespace {

// Every nothrow allocation of a whole dump or a whole comparison is made to
// fail in turn. Each run must end without a crash or a leak (the sanitizer
// build checks leaks at exit), and either report the failure (3) or produce
// exactly the document it would have produced anyway.
class AllocationFailureTest : public ::testing::Test {
 protected:
  AllocationFailureTest() : _Output("MOKTemp", _Temporary.Path().c_str()) {}

  // One whole interactive dump with the n-th allocation failing (0: none).
  // Returns the result the client sees: 3 from the stream, else the finish.
  VisuXMLError DumpFailingAt(std::size_t failAt, std::size_t& allocations) {
    SceneControler controler;
    FailingAllocator::FailNth(failAt);
    VisuXMLError result = controler.InitializeControler();
    const VisuXMLError finished = controler.FinishXMLDump();
    if (result == 0) result = finished;
    allocations = FailingAllocator::Count();
    FailingAllocator::Disarm();
    return result;
  }

  std::string DumpFile(unsigned int counter) const {
    return _Temporary.File("Scene" + std::to_string(counter) + ".xml");
  }

  TemporaryDirectory _Temporary;
  ScopedEnvironment _Output;
};

// Tests that a dump survives every single failed allocation: result 3, or
// a well-formed document that is either the very document of an undisturbed
// dump or carries the failure as a "VisuXMLError" element (a declaration
// that ran out of memory is not reported by a result, so the stream reports
// the missing name in the document instead).
TEST_F(AllocationFailureTest, WholeDumpReportsOrWritesAWellFormedDocument) {
  const MOKLightXmlElement expected = ExpectedScene();
  std::size_t total = 0;
  ASSERT_EQ(DumpFailingAt(0, total), 0u);
  ASSERT_GT(total, 10u);
  for (std::size_t n = 1; n <= total + 1; ++n) {
    SCOPED_TRACE("failing allocation " + std::to_string(n));
    const unsigned int counter = VisuXMLDumpControlerTestAccess::Counter();
    std::size_t allocations = 0;
    const VisuXMLError result = DumpFailingAt(n, allocations);
    const std::string path = DumpFile(counter);
    if (result == 3 || !FileExists(path)) continue;
    ASSERT_EQ(result, 0u);
    MOKLightXmlElement written;
    ASSERT_TRUE(ParseText(ReadWholeFile(path), written)) << path;
    EXPECT_TRUE(SameTree(written, expected, true) ||
                TreeHasElementNamed(written, "VisuXMLError"))
        << ReadWholeFile(path);
  }
}

// Tests that a dump reported as done (0) always left its document: losing
// it silently would lose a reference in a capture run.
TEST_F(AllocationFailureTest, DumpReportedDoneAlwaysLeavesItsFile) {
  std::size_t total = 0;
  ASSERT_EQ(DumpFailingAt(0, total), 0u);
  for (std::size_t n = 1; n <= total + 1; ++n) {
    SCOPED_TRACE("failing allocation " + std::to_string(n));
    const unsigned int counter = VisuXMLDumpControlerTestAccess::Counter();
    std::size_t allocations = 0;
    if (DumpFailingAt(n, allocations) == 0) {
      EXPECT_TRUE(FileExists(DumpFile(counter)));
    }
  }
}

// Tests that a comparison of equal documents survives every failed
// allocation: a side that could not be built is not valid, any other
// failure shows as a difference, never as a wrong agreement.
TEST_F(AllocationFailureTest, ComparisonOfEqualDocumentsNeverLies) {
  const MOKLightXmlElement expected = ExpectedScene(12);
  const std::string path = _Temporary.File("reference.xml");
  std::string text;
  ASSERT_TRUE(WriteText(expected, text));
  WriteWholeFile(path, text);

  std::size_t total = 0;
  for (std::size_t n = 0; n == 0 || n <= total + 1; ++n) {
    SCOPED_TRACE("failing allocation " + std::to_string(n));
    FailingAllocator::FailNth(n);
    VisuXMLFile reference(MOKUnicodeString(path.c_str()));
    VisuXMLFile output(expected);
    MOKLightXmlElement result(MOKUnicodeString("VisuXMLErrorReport"));
    const bool bothValid =
        reference.IsFileValid() == 1 && output.IsFileValid() == 1;
    const unsigned char same = bothValid ? reference.Compare(&output, result) : 1;
    if (n == 0) total = FailingAllocator::Count();
    FailingAllocator::Disarm();
    if (!bothValid) continue;
    const bool reported = TreeHasElementNamed(result, "VisuXMLError");
    EXPECT_EQ(same == 0, reported);
    if (n == 0) {
      EXPECT_EQ(same, 1);
    }
  }
  EXPECT_GT(total, 10u);
}

// Tests that a comparison of different documents never agrees, whatever
// allocation fails.
TEST_F(AllocationFailureTest, ComparisonOfDifferentDocumentsNeverAgrees) {
  const MOKLightXmlElement expected = ExpectedScene(5);
  const MOKLightXmlElement changed = ExpectedScene(4);
  std::size_t total = 0;
  for (std::size_t n = 0; n == 0 || n <= total + 1; ++n) {
    SCOPED_TRACE("failing allocation " + std::to_string(n));
    FailingAllocator::FailNth(n);
    VisuXMLFile reference(expected);
    VisuXMLFile output(changed);
    MOKLightXmlElement result(MOKUnicodeString("VisuXMLErrorReport"));
    const bool bothValid =
        reference.IsFileValid() == 1 && output.IsFileValid() == 1;
    const unsigned char same = bothValid ? reference.Compare(&output, result) : 0;
    if (n == 0) total = FailingAllocator::Count();
    FailingAllocator::Disarm();
    EXPECT_EQ(same, 0);
  }
}

// Tests that searching for the error element never misses one because an
// allocation failed. When the search cannot go on, the safe answer is
// "found": the replay then refuses to compare (result 6) instead of
// comparing two documents that both carry stream errors and passing.
TEST_F(AllocationFailureTest, SearchNeverMissesAnErrorElement) {
  MOKLightXmlElement tree = ExpectedScene(2);
  MOKLightXmlElement object(MOKUnicodeString("Object"));
  object.AddChild(MOKLightXmlElement(MOKUnicodeString("VisuXMLError")));
  tree.AddChild(object);
  VisuXMLFile file(tree);
  ASSERT_EQ(file.IsFileValid(), 1);
  for (std::size_t n = 1; n <= 4; ++n) {
    SCOPED_TRACE("failing allocation " + std::to_string(n));
    ScopedAllocationFailure failure(n);
    EXPECT_EQ(file.SearchForMarkup("VisuXMLError"), 1);
  }
}

}  // namespace
