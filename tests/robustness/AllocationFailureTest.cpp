#include <string>

#include "AllocationFailure.h"
#include "DumpFixture.h"
#include "MemoryStreams.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLFile.h"
#include "VisuXMLMarkup.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;
using AllocationFailure::kEvery;
using AllocationFailure::kNothrow;

// Running out of memory either way: only the library's nothrow
// allocations return null, or any allocation fails, the host's throwing
// ones throwing std::bad_alloc.
const AllocationFailure::Mode kModes[] = {kNothrow, kEvery};

std::string Trace(AllocationFailure::Mode mode, std::size_t failAt) {
  return std::string(mode == kNothrow ? "nothrow" : "every") + " allocation " +
         std::to_string(failAt);
}

// The whole library, one allocation failing in turn, in an interactive
// run writing to TMP; runs end without a crash or a leak (the sanitizer
// build checks at exit), and no exception leaves the library (the test
// would fail with it).
class AllocationFailureTest : public DumpFixture {
 protected:
  AllocationFailureTest() { Configure(nullptr); }
};

// Tests that a dump in which any one allocation fails answers every call
// with a documented code, leaves no markup open, and writes the
// undisturbed document, one carrying an error element, or nothing (when
// it says so); the next dump is whole again.
TEST_F(AllocationFailureTest, DumpSurvivesAnyFailedAllocation) {
  const SceneContent content = SceneContent::Objects(3);
  const MOKLightXmlElement expected = ExpectedScene(content);
  for (const AllocationFailure::Mode mode : kModes) {
    const std::size_t runs = ForEachFailingAllocation([&](std::size_t n) {
      SCOPED_TRACE(Trace(mode, n));
      const std::string path =
          _Tmp.File("Scene" + std::to_string(Access::Counter()) + ".xml");
      SceneControler controler(content);
      VisuXMLError initialized, finished, closedAfter;
      {
        ScopedAllocationFailure failure(n, mode);
        initialized = controler.InitializeControler();
        finished = controler.FinishXMLDump();
        closedAfter = VisuXMLMarkup::CloseMarkup("Scene");
      }
      EXPECT_TRUE(controler.AnsweredCodes());
      EXPECT_TRUE(initialized == 0 || initialized == 3) << initialized;
      EXPECT_TRUE(finished == 0 || finished == 2) << finished;
      EXPECT_TRUE(closedAfter == 1 || closedAfter == 3) << closedAfter;
      if (initialized == 3) return;
      // A throwing allocation after the commit can make the finish answer
      // "not written" with the document in place; nothrow ones cannot.
      if (!FileExists(path)) {
        EXPECT_NE(finished, 0u);
        return;
      }
      EXPECT_TRUE(finished == 0 || mode == kEvery);
      MOKLightXmlElement written;
      ASSERT_TRUE(ParseText(ReadWholeFile(path), written)) << path;
      EXPECT_TRUE(SameTree(written, expected, true) ||
                  TreeHasElementNamed(written, "VisuXMLError"));
    });
    EXPECT_GT(runs, 10u);
    const std::string path =
        _Tmp.File("Scene" + std::to_string(Access::Counter()) + ".xml");
    SceneControler controler(content);
    ASSERT_EQ(controler.InitializeControler(), 0u);
    ASSERT_EQ(controler.FinishXMLDump(), 0u);
    MOKLightXmlElement written;
    ASSERT_TRUE(ParseText(ReadWholeFile(path), written));
    EXPECT_TRUE(SameTree(written, expected, true));
  }
}

// An element of 20 attributes k0="1" ... k19="1", in order or reversed
// (enough for the comparison to index them by name).
std::string Numbered(bool reversed) {
  std::string xml = "<Numbered";
  for (int i = 0; i < 20; ++i)
    xml += " k" + std::to_string(reversed ? 19 - i : i) + "='1'";
  return xml + "/>";
}

// Tests that a comparison that lost any one allocation never passes
// documents that differ, passes equal ones exactly when its report holds no
// error element, and that its search never misses an error element (the
// safe answer is "found": the replay then refuses to compare); a side that
// could not be built is not valid. Where memory allows, a failed index of
// reordered attributes falls back to comparing them in turn.
TEST_F(AllocationFailureTest, ComparisonNeverPassesWrongly) {
  const std::string scene =
      "<Scene Name='demo'><Light>sun</Light><Object Name='box'><Shape/>"
      "</Object>";
  const std::string reference = _Tmp.File("reference.xml");
  WriteWholeFile(reference, scene + Numbered(false) + "</Scene>");
  const MOKUnicodeString referencePath(reference.c_str());
  const struct {
    std::string output;
    bool equal, holdsError;
  } cases[] = {
      {scene + Numbered(true) + "</Scene>", true, false},
      {"<Scene Name='other' Extra='1'><Camera/><Object Name='box'/>"
       "<Object/></Scene>",
       false, false},
      {scene + "<VisuXMLError>lost</VisuXMLError></Scene>", false, true}};
  for (const AllocationFailure::Mode mode : kModes)
    for (const auto& c : cases) {
      MOKLightXmlElement outputTree;
      ASSERT_TRUE(ParseText(c.output, outputTree));
      bool passedAfterFailure = false;
      ForEachFailingAllocation([&](std::size_t n) {
        SCOPED_TRACE(Trace(mode, n) + " " + c.output);
        MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
        bool valid = false;
        unsigned char found = 0, same = 0;
        {
          ScopedAllocationFailure failure(n, mode);
          VisuXMLFile referenceFile(referencePath);
          VisuXMLFile outputFile(outputTree);
          valid =
              referenceFile.IsFileValid() == 1 && outputFile.IsFileValid() == 1;
          if (valid) {
            found = outputFile.SearchForMarkup("VisuXMLError");
            same = referenceFile.Compare(&outputFile, report);
          }
        }
        const bool fired = AllocationFailure::Fired();
        if (!valid) {
          EXPECT_TRUE(fired);
          return;
        }
        EXPECT_TRUE(found == 1 ? c.holdsError || fired : !c.holdsError);
        const bool reported = TreeHasElementNamed(report, "VisuXMLError");
        EXPECT_EQ(same == 1, c.equal && !reported);
        EXPECT_TRUE(fired || (same == 1) == c.equal);
        passedAfterFailure |= fired && same == 1;
      });
      if (c.equal && mode == kNothrow) {
        EXPECT_TRUE(passedAfterFailure);
      }
    }
}

// Tests that settling the version never lets an allocation failure of the
// record service out, and that the version then settles whole on a later
// call: the recorded level and the variable both apply.
TEST_F(AllocationFailureTest, VersionSettlesAfterFailedAllocations) {
  const std::string levels = _Tmp.File("levels.txt");
  Set("MOK_RECORD_MODE", "capture");
  Set("MOK_RECORD_FILE", levels);
  Set("VISU_XML_DUMP_VERSION", "3");
  for (const AllocationFailure::Mode mode : kModes)
    ForEachFailingAllocation([&](std::size_t n) {
      ScopedAllocationFailure failure(n, mode);
      VisuXMLDumpVersion::GetVersionNumber();
    });
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 3);
  EXPECT_EQ(ReadWholeFile(levels), "VisuXMLDumpLevel=6\n");
}

}  // namespace
