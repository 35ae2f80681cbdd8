#include <sys/stat.h>

#include "AllocationFailure.h"
#include "DumpFixture.h"
#include "MOKExit.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;

const char* const kReferenceNotValid = "The reference file is not valid.";
const char* const kContainsError =
    "The reference file or the output file contains XML error - No XML "
    "comparison is possible.";

// Whole replays of test case T1 run in a child process: a failed comparison
// makes the process end with 110, which the parent observes.
class ReplayComparisonTest : public DumpFixture {
 protected:
  ReplayComparisonTest() { Configure("replay"); }
  std::string File(const char* kind, unsigned int counter) const {
    const std::string name =
        "T1_Scene_" + std::string(kind) + "_" + std::to_string(counter);
    return (std::string(kind) == "Ref" ? _Ref : _Out).File(name + ".xml");
  }
  // Replays dumps of that content, one per result wanted, the allocation
  // failAt of the first comparison failing; gives the results.
  std::string Replay(const SceneContent& content, int exitCode, int dumps = 1,
                     std::size_t failAt = 0) {
    return InChild(
        [&]() {
          SceneControler controler(content);
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

class ReplayComparisonRowTest
    : public ReplayComparisonTest,
      public ::testing::WithParamInterface<ReplayRow> {};

// Tests one replayed dump per row: result, exit code, files and report.
TEST_P(ReplayComparisonRowTest, ComparesWithReference) {
  const ReplayRow& row = GetParam();
  if (row.Reference)
    WriteWholeFile(File("Ref", 1), std::string("<Scene Color=\"red\">") +
                                       row.Reference + "</Scene>");
  const bool fails = *row.Report != 0;
  EXPECT_EQ(
      Replay({"red", {1.5f}, row.OmitColor}, fails ? 110 : 0, 1, row.FailAt),
      row.Results);
  EXPECT_EQ(FileExists(File("Out", 1)), fails);
  EXPECT_EQ(FileExists(File("Error", 1)), fails);
  EXPECT_NE(ReadWholeFile(File("Error", 1)).find(row.Report),
            std::string::npos);
}

const char* const kEqual = "<Object Size=\"1.50\"/>";

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplayComparisonRowTest,
    ::testing::Values(
        ReplayRow{"Equal", kEqual, false, 0, "0 0", ""},
        ReplayRow{"Tolerated", "<Object Size=\"1.504\"/>", false, 0, "0 0", ""},
        ReplayRow{"Changed", "<Object Size=\"1.60\"/>", false, 0, "6 1",
                  "The attribute Size value has changed from 1.60 to 1.50."},
        ReplayRow{"ErrorInReference",
                  "<VisuXMLError>old</VisuXMLError><Object Size=\"1.50\"/>",
                  false, 0, "6 1", kContainsError},
        ReplayRow{"ErrorInDump", kEqual, true, 0, "6 1", kContainsError},
        // The first allocation is the output side itself, the second its tree.
        ReplayRow{"NoOutputSide", kEqual, false, 1, "3 0", ""},
        ReplayRow{"NoOutputTree", kEqual, false, 2, "6 1",
                  "The output file is not valid."}));

// Tests that a replay without reference reports only that, writes output
// (without newline) and report under the counter, and then names the
// reference in _XMLFileName.
TEST_F(ReplayComparisonTest, MissingReferenceWritesOutputAndReport) {
  Access::Counter() = 3;
  const std::string result = InChild(
      []() {
        SceneControler controler;
        controler.InitializeControler();
        const std::string result = std::to_string(controler.FinishXMLDump());
        return result + "|" + controler.FileName();
      },
      110);
  EXPECT_EQ(Symbolic(result), "6|REF\\T1_Scene_Ref_3.xml");
  EXPECT_EQ(ReadWholeFile(File("Out", 3)), kSceneText);
  EXPECT_EQ(ReadWholeFile(File("Error", 3)),
            kXmlHeader + "<VisuXMLErrorReport>\n  <VisuXMLError>" +
                kReferenceNotValid + "</VisuXMLError>\n</VisuXMLErrorReport>");
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

// Tests that a failed replay tells which dump failed, how many differences
// it found, where its files are, and the first five differences with their
// place.
TEST_F(ReplayComparisonTest, FailureIsDiagnosed) {
  WriteWholeFile(File("Ref", 1),
                 "<Scene Color='blue' Extra='x'><Object Size='9'/>"
                 "<Object Size='1.50'/><Object Size='8'/><Object Size='1'/>"
                 "<Object Size='2'/></Scene>");
  Replay({"red", {1.5f, 1.5f, 1.5f}}, 110);
  EXPECT_EQ(Diagnostics(),
            "VisuXMLDump: replay of test case T1, dump 1, failed: 6 "
            "differences with the reference\n"
            "VisuXMLDump:   reference: REF/T1_Scene_Ref_1.xml\n"
            "VisuXMLDump:   output:    OUT/T1_Scene_Out_1.xml\n"
            "VisuXMLDump:   report:    OUT/T1_Scene_Error_1.xml\n"
            "VisuXMLDump:   /Scene/@Color: The attribute Color value has "
            "changed from blue to red.\n"
            "VisuXMLDump:   /Scene/@Extra: The attribute Extra doesn't appear "
            "in the output file.\n"
            "VisuXMLDump:   /Scene/Object[1]/@Size: The attribute Size value "
            "has changed from 9 to 1.50.\n"
            "VisuXMLDump:   /Scene/Object[3]/@Size: The attribute Size value "
            "has changed from 8 to 1.50.\n"
            "VisuXMLDump:   /Scene/Object[4]: The sub-markup Object doesn't "
            "appear in the output file.\n"
            "VisuXMLDump:   ... and 1 more in the report\n"
            "VisuXMLDump:   the process will end with exit code 110\n");
}

// A reference that cannot be compared: its file (null: none; "DIR": a
// directory), the directory variables left unset, and what the diagnostic
// says of it and of the output file.
struct ReasonRow {
  const char *Name, *Reference, *Unset, *Why, *Output;
};
void PrintTo(const ReasonRow& row, std::ostream* out) { *out << row.Name; }

class ReplayReasonTest : public ReplayComparisonTest,
                         public ::testing::WithParamInterface<ReasonRow> {};

// Tests that the diagnostic says why the reference was not compared, and
// that an unset directory names no file: nothing is read or written at the
// root of the file system, and the replay still fails.
TEST_P(ReplayReasonTest, SaysWhy) {
  const ReasonRow& row = GetParam();
  Set("TRQ_LOG_NAME", "VisuXMLReasonTest");
  if (row.Reference != nullptr && std::string(row.Reference) == "DIR")
    ::mkdir((_Ref.Path() + "/VisuXMLReasonTest_Scene_Ref_1.xml").c_str(), 0755);
  else if (row.Reference != nullptr)
    WriteWholeFile(_Ref.File("VisuXMLReasonTest_Scene_Ref_1.xml"),
                   row.Reference);
  for (const char* variable : {"KVB_TRQ_REF", "KVB_TRQ_OUT"})
    if (std::string(row.Unset).find(variable) != std::string::npos)
      Set(variable, nullptr);
  EXPECT_EQ(Replay({}, 110), "6 1");
  const std::string diagnostics = Diagnostics();
  EXPECT_NE(
      diagnostics.find(std::string("failed: the reference is not valid: ") +
                       row.Why + "\n"),
      std::string::npos)
      << diagnostics;
  EXPECT_NE(diagnostics.find(row.Output), std::string::npos) << diagnostics;
  EXPECT_FALSE(FileExists("/VisuXMLReasonTest_Scene_Out_1.xml"));
  EXPECT_FALSE(FileExists("/VisuXMLReasonTest_Scene_Error_1.xml"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReplayReasonTest,
    ::testing::Values(
        ReasonRow{"Missing", nullptr, "", "No such file or directory",
                  "output:    OUT/VisuXMLReasonTest_Scene_Out_1.xml\n"},
        ReasonRow{"Directory", "DIR", "", "Is a directory", "OUT/"},
        ReasonRow{"Malformed", "<Scene>\n<Object Size='1'></Scene>", "",
                  "mismatched tag at line 2, column 20", "OUT/"},
        ReasonRow{"UnsetReference", kEqual, "KVB_TRQ_REF",
                  "KVB_TRQ_REF is unset or empty",
                  "reference: VisuXMLReasonTest_Scene_Ref_1.xml\n"},
        ReasonRow{"UnsetBoth", nullptr, "KVB_TRQ_REF KVB_TRQ_OUT",
                  "KVB_TRQ_REF is unset or empty",
                  "output:    VisuXMLReasonTest_Scene_Out_1.xml (not written: "
                  "KVB_TRQ_OUT is unset or empty)\n"}));

// Tests that a replayed dump that leaves markups open fails instead of
// passing with nothing compared, and says which markups stayed open.
TEST_F(ReplayComparisonTest, UnclosedDumpFails) {
  WriteWholeFile(File("Ref", 1), kSceneText);
  EXPECT_EQ(Replay({"red", {1.5f}, false, false}, 110), "6 1");
  EXPECT_FALSE(FileExists(File("Out", 1)));
  EXPECT_NE(
      ReadWholeFile(File("Error", 1)).find("The output file is not valid."),
      std::string::npos);
  EXPECT_EQ(Diagnostics(),
            "VisuXMLDump: replay of test case T1, dump 1, failed: the dump "
            "left markups open at "
            "its end (Scene), so it has no complete document\n"
            "VisuXMLDump:   reference: REF/T1_Scene_Ref_1.xml\n"
            "VisuXMLDump:   output:    OUT/T1_Scene_Out_1.xml (not written: no "
            "outermost markup was closed)\n"
            "VisuXMLDump:   report:    OUT/T1_Scene_Error_1.xml\n"
            "VisuXMLDump:   the process will end with exit code 110\n");
}

}  // namespace
