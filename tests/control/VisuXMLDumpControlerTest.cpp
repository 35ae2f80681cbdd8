#include <gtest/gtest.h>

#include <string>

#include "ControlFixture.h"
#include "ControlerTestAccess.h"
#include "TestControler.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;

class VisuXMLDumpControlerTest : public ControlFixture {
 protected:
  // The four run mode flags as "interactive replay capture update".
  static std::string Modes() {
    return std::to_string(TestControler::IsInteractive()) + " " +
           std::to_string(TestControler::IsReplay()) + " " +
           std::to_string(TestControler::IsCapture()) + " " +
           std::to_string(TestControler::IsUpdate());
  }

  // Settling modes and names needs no document; one left in the stream
  // would never be taken over.
  static void StreamNothing(TestControler& controler) {
    controler.Content()._Stream = false;
  }

  std::string Ref() const { return _Reference.Path(); }
  std::string Out() const { return _Output.Path(); }
  std::string Tmp() const { return _Temporary.Path(); }
};

// Tests the interactive row: no record service, output to "MOKTemp".
TEST_F(VisuXMLDumpControlerTest, InteractiveWithoutRecordService) {
  SetEnvironment("MOKTemp", Tmp());
  SetEnvironment("KVB_TRQ_REF", Ref());
  TestControler controler;
  StreamNothing(controler);
  EXPECT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(Modes(), "1 0 0 0");
  EXPECT_EQ(Access::InputDirectory(), "");
  EXPECT_EQ(Access::OutputDirectory(), Tmp());
  EXPECT_EQ(Access::TestCaseName(), "");
  EXPECT_EQ(controler.FileNameText(), Tmp() + "\\Scene1.xml");
}

// Tests that an interactive run ignores "UpdateVisuXMLDump".
TEST_F(VisuXMLDumpControlerTest, InteractiveIgnoresUpdate) {
  SetEnvironment("UpdateVisuXMLDump", "1");
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "1 0 0 0");
  EXPECT_EQ(controler.FileNameText(), "\\Scene1.xml");
}

// Tests the recorded replay row: reference and output directories.
TEST_F(VisuXMLDumpControlerTest, RecordedReplay) {
  ConfigureRecordedReplay();
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 1 0 0");
  EXPECT_EQ(Access::InputDirectory(), Ref());
  EXPECT_EQ(Access::OutputDirectory(), Out());
  EXPECT_EQ(Access::TestCaseName(), "T1");
  EXPECT_EQ(controler.FileNameText(), Out() + "\\T1_Scene_Out_1.xml");
}

// Tests the forced replay row: no record service asked.
TEST_F(VisuXMLDumpControlerTest, ForcedReplay) {
  SetEnvironment("MOK_RECORD_MODE", "capture");
  SetEnvironment("TRQ_LOG_NAME", "T1");
  SetEnvironment("KVB_TRQ_REF", Ref());
  SetEnvironment("KVB_TRQ_OUT", Out());
  TestControler controler;
  StreamNothing(controler);
  controler.ForceReplay();
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 1 0 0");
  EXPECT_EQ(controler.FileNameText(), Out() + "\\T1_Scene_Out_1.xml");
}

// Tests the replay with update row: written under the reference name.
TEST_F(VisuXMLDumpControlerTest, ReplayWithUpdate) {
  ConfigureRecordedReplay();
  SetEnvironment("UpdateVisuXMLDump", "1");
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 1 0 1");
  EXPECT_EQ(Access::InputDirectory(), "");
  EXPECT_EQ(Access::OutputDirectory(), Ref());
  EXPECT_EQ(controler.FileNameText(), Ref() + "\\T1_Scene_Ref_1.xml");
}

// Tests the capture row: written into the reference directory.
TEST_F(VisuXMLDumpControlerTest, Capture) {
  ConfigureCapture();
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 0 1 0");
  EXPECT_EQ(Access::InputDirectory(), "");
  EXPECT_EQ(Access::OutputDirectory(), Ref());
  EXPECT_EQ(controler.FileNameText(), Ref() + "\\T1_Scene_Ref_1.xml");
}

// Tests the capture row with "UpdateVisuXMLDump" set.
TEST_F(VisuXMLDumpControlerTest, CaptureWithUpdate) {
  ConfigureCapture();
  SetEnvironment("UpdateVisuXMLDump", "2");
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 0 1 1");
  EXPECT_EQ(controler.FileNameText(), Ref() + "\\T1_Scene_Ref_1.xml");
}

// Tests that "UpdateVisuXMLDump" set to 0 asks for no update.
TEST_F(VisuXMLDumpControlerTest, UpdateZeroIsNoUpdate) {
  ConfigureRecordedReplay();
  SetEnvironment("UpdateVisuXMLDump", "0");
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 1 0 0");
}

// Tests that a text without digits asks for no update.
TEST_F(VisuXMLDumpControlerTest, UpdateWithoutDigitsIsNoUpdate) {
  ConfigureRecordedReplay();
  SetEnvironment("UpdateVisuXMLDump", "yes");
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 1 0 0");
}

// Tests that a huge update value is positive rather than undefined.
TEST_F(VisuXMLDumpControlerTest, HugeUpdateValueIsUpdate) {
  ConfigureRecordedReplay();
  SetEnvironment("UpdateVisuXMLDump", "99999999999999999999");
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 1 0 1");
}

// Tests that a negative update value asks for no update.
TEST_F(VisuXMLDumpControlerTest, NegativeUpdateIsNoUpdate) {
  ConfigureRecordedReplay();
  SetEnvironment("UpdateVisuXMLDump", "-99999999999999999999");
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Modes(), "0 1 0 0");
}

// Tests that without "TRQ_LOG_NAME" the test case is called TRQxxx and
// unset directories are empty.
TEST_F(VisuXMLDumpControlerTest, UnsetVariablesGiveDefaults) {
  SetEnvironment("MOK_RECORD_MODE", "replay");
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(Access::TestCaseName(), "TRQxxx");
  EXPECT_EQ(Access::InputDirectory(), "");
  EXPECT_EQ(controler.FileNameText(), "\\TRQxxx_Scene_Out_1.xml");
}

// Tests that forcing replay after an interactive settling has no effect.
TEST_F(VisuXMLDumpControlerTest, LateForcedReplayStaysInteractive) {
  SetEnvironment("MOKTemp", Tmp());
  TestControler first;
  StreamNothing(first);
  first.InitializeControler();
  TestControler second;
  StreamNothing(second);
  second.ForceReplay();
  second.InitializeControler();
  EXPECT_EQ(Modes(), "1 0 0 0");
  EXPECT_EQ(second.FileNameText(), Tmp() + "\\Scene1.xml");
}

// Tests the file names of the third dump of a replay.
TEST_F(VisuXMLDumpControlerTest, ReplayNamesAtCounterThree) {
  ConfigureRecordedReplay();
  Access::SetCounter(3);
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(controler.FileNameText(), Out() + "\\T1_Scene_Out_3.xml");
}

// Tests the file name of the third dump of a capture.
TEST_F(VisuXMLDumpControlerTest, CaptureNameAtCounterThree) {
  ConfigureCapture();
  Access::SetCounter(3);
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(controler.FileNameText(), Ref() + "\\T1_Scene_Ref_3.xml");
}

// Tests the file name of the third dump of an interactive run.
TEST_F(VisuXMLDumpControlerTest, InteractiveNameAtCounterThree) {
  SetEnvironment("MOKTemp", Tmp());
  Access::SetCounter(3);
  TestControler controler;
  StreamNothing(controler);
  controler.InitializeControler();
  EXPECT_EQ(controler.FileNameText(), Tmp() + "\\Scene3.xml");
}

// Tests that InitializeControler returns what DumpXML returns.
TEST_F(VisuXMLDumpControlerTest, InitializeReturnsDumpResult) {
  class FailingDump : public TestControler {
   public:
    VisuXMLError DumpXML() override { return 7; }
  } controler;
  StreamNothing(controler);
  EXPECT_EQ(controler.InitializeControler(), 7u);
}

// Tests that destroying a controller tears down the declared grammar and
// the markups left open (the leak checker sees the stack).
TEST_F(VisuXMLDumpControlerTest, DestructorTearsDownGrammar) {
  {
    TestControler controler;
    controler.Content()._CloseRoot = false;
    controler.InitializeControler();
    ASSERT_EQ(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup), 1u);
  }
  EXPECT_EQ(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup), 0u);
  EXPECT_EQ(VisuXMLAttribute::CreateXMLAttribute("Color", VisuXMLTextAttribute),
            0u);
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLAttribute::DestroyAttributes();
}

// Tests that a copy takes over the file name of the original.
TEST_F(VisuXMLDumpControlerTest, CopyTakesTheFileName) {
  SetEnvironment("MOKTemp", Tmp());
  TestControler original;
  StreamNothing(original);
  original.InitializeControler();
  TestControler copy(original);
  EXPECT_EQ(copy.FileNameText(), original.FileNameText());
  EXPECT_EQ(copy.FileNameText(), Tmp() + "\\Scene1.xml");
}

}  // namespace
