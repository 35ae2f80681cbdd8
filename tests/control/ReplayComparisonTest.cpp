#include "ControlTestSupport.h"
#include "FailingAllocator.h"
#include "MOKExit.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;

const char* const kReferenceNotValid = "The reference file is not valid.";
const char* const kContainsError =
    "The reference file or the output file contains XML error - No XML comparison is possible.";

// Whole replays of test case T1 run in a child process: a failed comparison
// makes the process end with 110, which the parent observes.
class ReplayComparisonTest : public ControlFixture {
 protected:
  ReplayComparisonTest() { Configure("replay"); }
  std::string File(const char* kind, unsigned int counter) const {
    const std::string name = "T1_Scene_" + std::string(kind) + "_" + std::to_string(counter);
    return (std::string(kind) == "Ref" ? _Ref : _Out).File(name + ".xml");
  }
  // Replays dumps of that content, one per result wanted, the allocation
  // failAt of the first comparison failing; gives the results.
  std::string Replay(const SceneContent& content, int exitCode, int dumps = 1,
                     std::size_t failAt = 0) {
    return InChild(
        [&]() {
          TestControler controler(content);
          std::string results;
          for (int dump = 0; dump < dumps; ++dump) {
            controler.InitializeControler();
            ScopedAllocationFailure failure(dump == 0 ? failAt : 0);
            results += std::to_string(controler.FinishXMLDump()) + " ";
          }
          return results + std::to_string(MOKCountExitHooks());
        },
        exitCode);
  }
};

// Name, reference file content below its root (null: no file), whether the
// dump omits its color, the allocation to fail in the comparison, result and
// exit hook count, and a text of the report (empty: nothing written).
struct ReplayRow {
  const char *Name, *Reference;
  bool OmitColor;
  std::size_t FailAt;
  const char *Results, *Report;
};
void PrintTo(const ReplayRow& row, std::ostream* out) { *out << row.Name; }

class ReplayComparisonRowTest : public ReplayComparisonTest,
                                public ::testing::WithParamInterface<ReplayRow> {};

// Tests one replayed dump per row: result, exit code, files and report.
TEST_P(ReplayComparisonRowTest, ComparesWithReference) {
  const ReplayRow& row = GetParam();
  if (row.Reference)
    WriteWholeFile(File("Ref", 1),
                   std::string("<Scene Color=\"red\">") + row.Reference + "</Scene>");
  const bool fails = *row.Report != 0;
  EXPECT_EQ(Replay({"red", {1.5f}, row.OmitColor}, fails ? 110 : 0, 1, row.FailAt), row.Results);
  EXPECT_EQ(FileExists(File("Out", 1)), fails);
  EXPECT_EQ(FileExists(File("Error", 1)), fails);
  EXPECT_NE(ReadWholeFile(File("Error", 1)).find(row.Report), std::string::npos);
}

const char* const kEqual = "<Object Size=\"1.50\"/>";

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplayComparisonRowTest,
    ::testing::Values(
        ReplayRow{"Equal", kEqual, false, 0, "0 0", ""},
        ReplayRow{"Tolerated", "<Object Size=\"1.504\"/>", false, 0, "0 0", ""},
        ReplayRow{"Changed", "<Object Size=\"1.60\"/>", false, 0, "6 1",
                  "The attribute Size value has changed from 1.60 to 1.50."},
        ReplayRow{"ErrorInReference", "<VisuXMLError>old</VisuXMLError><Object Size=\"1.50\"/>",
                  false, 0, "6 1", kContainsError},
        ReplayRow{"ErrorInDump", kEqual, true, 0, "6 1", kContainsError},
        // The first allocation is the output side itself, the second its tree.
        ReplayRow{"NoOutputSide", kEqual, false, 1, "3 0", ""},
        ReplayRow{"NoOutputTree", kEqual, false, 2, "6 1", "The output file is not valid."}));

// Tests that a replay without reference reports only that, writes output
// (without newline) and report under the counter, and then names the
// reference in _XMLFileName.
TEST_F(ReplayComparisonTest, MissingReferenceWritesOutputAndReport) {
  Access::Counter() = 3;
  const std::string result = InChild(
      []() {
        TestControler controler;
        controler.InitializeControler();
        const std::string result = std::to_string(controler.FinishXMLDump());
        return result + "|" + controler.FileName();
      },
      110);
  EXPECT_EQ(Symbolic(result), "6|REF\\T1_Scene_Ref_3.xml");
  EXPECT_EQ(ReadWholeFile(File("Out", 3)), kSceneText);
  EXPECT_EQ(ReadWholeFile(File("Error", 3)), kXmlHeader + "<VisuXMLErrorReport>\n  <VisuXMLError>" +
                                                kReferenceNotValid +
                                                "</VisuXMLError>\n</VisuXMLErrorReport>");
}

// Tests that two failed comparisons arm the exit hook once and write files
// under their own counters, and that a later pass does not disarm it.
TEST_F(ReplayComparisonTest, FailuresArmTheExitHookOnce) {
  WriteWholeFile(File("Ref", 3), kSceneText);
  EXPECT_EQ(Replay({}, 110, 3), "6 6 0 1");
  for (const char* kind : {"Out", "Error"})
    EXPECT_TRUE(FileExists(File(kind, 1)) && FileExists(File(kind, 2))) << kind;
  EXPECT_FALSE(FileExists(File("Out", 3)));
}

}  // namespace
