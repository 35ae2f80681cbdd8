#include "ControlTestSupport.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;

enum RowFlags { kForce = 1, kBare = 2, kSettledBefore = 4 };

// Name, "MOK_RECORD_MODE", "UpdateVisuXMLDump", flags (kBare: neither test
// case name nor directories set), counter, then what InitializeControler
// settles: "modes|input|output|test case|file name".
struct ModeRow {
  const char *Name, *Record, *Update;
  int Flags;
  unsigned int Counter;
  const char* Expected;
};
void PrintTo(const ModeRow& row, std::ostream* out) { *out << row.Name; }

// Settles the modes with one initialisation; ctest gives each row a process.
class VisuXMLDumpControlerModeTest : public ControlFixture,
                                     public ::testing::WithParamInterface<ModeRow> {};

// Tests each row of the modes table: flags, directories and file name.
TEST_P(VisuXMLDumpControlerModeTest, SettlesModesAndFileName) {
  const ModeRow& row = GetParam();
  if (row.Flags & kBare) Set("MOK_RECORD_MODE", row.Record);
  else Configure(row.Record);
  Set("UpdateVisuXMLDump", row.Update);
  Access::Counter() = row.Counter;
  if (row.Flags & kSettledBefore) TestControler({"", {}}).InitializeControler();
  TestControler controler({"", {}});
  if (row.Flags & kForce) controler.ForceReplay();
  EXPECT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(Symbolic(Access::State() + "|" + controler.FileName()), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VisuXMLDumpControlerModeTest,
    ::testing::Values(
        ModeRow{"Interactive", nullptr, nullptr, 0, 1, "1 0 0 0||TMP||TMP\\Scene1.xml"},
        ModeRow{"InteractiveNoUpdate", nullptr, "1", 0, 3, "1 0 0 0||TMP||TMP\\Scene3.xml"},
        ModeRow{"LateForce", nullptr, nullptr, kForce | kSettledBefore, 1,
                "1 0 0 0||TMP||TMP\\Scene1.xml"},
        ModeRow{"Replay", "replay", nullptr, 0, 3, "0 1 0 0|REF|OUT|T1|OUT\\T1_Scene_Out_3.xml"},
        ModeRow{"Forced", "capture", nullptr, kForce, 1,
                "0 1 0 0|REF|OUT|T1|OUT\\T1_Scene_Out_1.xml"},
        ModeRow{"ReplayUpdate", "replay", "1", 0, 1, "0 1 0 1||REF|T1|REF\\T1_Scene_Ref_1.xml"},
        ModeRow{"Capture", "capture", nullptr, 0, 3, "0 0 1 0||REF|T1|REF\\T1_Scene_Ref_3.xml"},
        ModeRow{"CaptureUpdate", "capture", "2", 0, 1, "0 0 1 1||REF|T1|REF\\T1_Scene_Ref_1.xml"},
        ModeRow{"UpdateZero", "replay", "0", 0, 1, "0 1 0 0|REF|OUT|T1|OUT\\T1_Scene_Out_1.xml"},
        ModeRow{"UpdateText", "replay", "yes", 0, 1, "0 1 0 0|REF|OUT|T1|OUT\\T1_Scene_Out_1.xml"},
        ModeRow{"Unset", "replay", nullptr, kBare, 1,
                "0 1 0 0|||TRQxxx|\\TRQxxx_Scene_Out_1.xml"}));

class VisuXMLDumpControlerTest : public ControlFixture {
 protected:
  // One dump: the result of the finish, or 99 when the initialisation fails.
  static VisuXMLError Dump(TestControler& controler) {
    return controler.InitializeControler() != 0 ? 99 : controler.FinishXMLDump();
  }
};

// Tests that two interactive dumps write Scene1.xml then Scene2.xml, each
// the streamed document and a newline, and that a finish without a new
// root finds no tree.
TEST_F(VisuXMLDumpControlerTest, InteractiveDumpsAreNumberedFiles) {
  Configure(nullptr);
  TestControler controler({"blue", {0.125f, -2.0f}});
  for (const char* name : {"Scene1.xml", "Scene2.xml"}) {
    EXPECT_EQ(Dump(controler), 0u);
    EXPECT_EQ(ReadWholeFile(_Tmp.File(name)), kXmlHeader + "<Scene Color=\"blue\">\n  <Object Size="
                                              "\"0.13\"/>\n  <Object Size=\"-2.00\"/>\n</Scene>\n");
  }
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(Access::Counter(), 3u);
  EXPECT_FALSE(FileExists(_Tmp.File("Scene3.xml")));
}

// Tests that without a closed root nothing is written nor counted, and that
// the destructor tears down the grammar and the markups left open.
TEST_F(VisuXMLDumpControlerTest, OpenRootFinishesNothing) {
  Configure(nullptr);
  {
    TestControler controler({"red", {1.5f}, false, false});
    EXPECT_EQ(Dump(controler), 0u);
    EXPECT_FALSE(FileExists(_Tmp.File("Scene1.xml")));
    EXPECT_EQ(Access::Counter(), 1u);
  }
  EXPECT_EQ(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup), 0u);
  EXPECT_EQ(VisuXMLAttribute::CreateXMLAttribute("Color", VisuXMLTextAttribute), 0u);
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLAttribute::DestroyAttributes();
}

// Tests that an output directory that does not exist gives 2, leaves no
// file behind and still counts the dump.
TEST_F(VisuXMLDumpControlerTest, UnwritableDirectoryGivesNotWritten) {
  Set("MOKTemp", _Tmp.File("missing"));
  TestControler controler;
  EXPECT_EQ(Dump(controler), 2u);
  EXPECT_FALSE(FileExists(_Tmp.File("missing")));
  EXPECT_EQ(Access::Counter(), 2u);
}

// Tests that a replay with update writes the reference with its newline
// instead of comparing (there is no reference to compare with).
TEST_F(VisuXMLDumpControlerTest, UpdateWritesReferenceWithoutComparing) {
  Configure("replay");
  Set("UpdateVisuXMLDump", "1");
  TestControler controler;
  EXPECT_EQ(Dump(controler), 0u);
  EXPECT_EQ(ReadWholeFile(_Ref.File("T1_Scene_Ref_1.xml")), kSceneText + "\n");
  EXPECT_FALSE(FileExists(_Out.File("T1_Scene_Out_1.xml")));
  EXPECT_FALSE(FileExists(_Out.File("T1_Scene_Error_1.xml")));
}

// Record mode, the variable left unset or pointed at a missing directory,
// the content, result and diagnostic (directories symbolic) of one dump.
struct WritingRow {
  const char *Name, *Record, *Unset, *Missing;
  SceneContent Content;
  VisuXMLError Result;
  const char* Diagnostic;
};
void PrintTo(const WritingRow& row, std::ostream* out) { *out << row.Name; }

class WritingDiagnosticTest : public VisuXMLDumpControlerTest,
                              public ::testing::WithParamInterface<WritingRow> {};

// Tests that a dump outside replay says why it was not written, never
// writes at the root of the file system for an unset directory, and warns
// of a written document holding error elements; success says nothing.
TEST_P(WritingDiagnosticTest, SaysWhatWentWrong) {
  const WritingRow& row = GetParam();
  Configure(row.Record);
  Set("TRQ_LOG_NAME", "T1");
  if (row.Unset) Set(row.Unset, nullptr);
  if (row.Missing) Set(row.Missing, _Tmp.File("missing"));
  TestControler controler(row.Content);
  EXPECT_EQ(Dump(controler), row.Result);
  EXPECT_EQ(Diagnostics(), row.Diagnostic);
  EXPECT_FALSE(FileExists("/Scene1.xml"));
  EXPECT_FALSE(FileExists("/T1_Scene_Ref_1.xml"));
}

const char* const kDump1 = "VisuXMLDump: interactive dump 1:\n";
const char* const kCapture1 = "VisuXMLDump: capture of test case T1, dump 1:\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, WritingDiagnosticTest,
    ::testing::Values(
        WritingRow{"Written", nullptr, nullptr, nullptr, {}, 0, ""},
        WritingRow{"UnsetTemp", nullptr, "MOKTemp", nullptr, {}, 2,
                   "VisuXMLDump: interactive dump 1:\n"
                   "VisuXMLDump:   not written: MOKTemp is unset or empty\n"},
        WritingRow{"UnsetReference", "capture", "KVB_TRQ_REF", nullptr, {}, 2,
                   "VisuXMLDump: capture of test case T1, dump 1:\n"
                   "VisuXMLDump:   not written: KVB_TRQ_REF is unset or empty\n"},
        WritingRow{"MissingDirectory", nullptr, nullptr, "MOKTemp", {}, 2,
                   "VisuXMLDump: interactive dump 1:\n"
                   "VisuXMLDump:   not written to TMP/missing/Scene1.xml: No such file or "
                   "directory\n"},
        WritingRow{"ErrorsInReference", "capture", nullptr, nullptr, {"red", {1.5f}, true}, 0,
                   "VisuXMLDump: capture of test case T1, dump 1:\n"
                   "VisuXMLDump:   REF/T1_Scene_Ref_1.xml holds error elements: every replay "
                   "against this reference will fail\n"
                   "VisuXMLDump:   the first at /Scene/VisuXMLError[1]: The XML attribute Color "
                   "is required for the XML markup Scene.\n"},
        WritingRow{"Unclosed", nullptr, nullptr, nullptr, {"red", {1.5f}, false, false}, 0,
                   "VisuXMLDump: interactive dump 1:\n"
                   "VisuXMLDump:   markups left open at its end were dropped: Scene; no "
                   "outermost markup was closed, so nothing was written\n"}));

// Tests that the markups a dump left open are dropped at its finish, so
// that the next dump starts from an empty stack and is written whole.
TEST_F(VisuXMLDumpControlerTest, NextDumpAfterAnUnclosedOneStartsAfresh) {
  Configure(nullptr);
  TestControler controler({"red", {1.5f}, false, false});
  EXPECT_EQ(Dump(controler), 0u);
  controler._Content._CloseRoot = true;
  EXPECT_EQ(Dump(controler), 0u);
  EXPECT_EQ(ReadWholeFile(_Tmp.File("Scene1.xml")), kSceneText + "\n");
}

}  // namespace
