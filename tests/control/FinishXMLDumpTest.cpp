#include <gtest/gtest.h>

#include <new>
#include <string>

#include "ControlFixture.h"
#include "ControlerTestAccess.h"
#include "FailingAllocator.h"
#include "TemporaryDirectory.h"
#include "TestControler.h"
#include "VisuXMLFile.h"
#include "VisuXMLMarkup.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;

bool EndsWithNewline(const std::string& text) {
  return !text.empty() && text.back() == '\n';
}

class FinishXMLDumpTest : public ControlFixture {
 protected:
  // One whole dump: initialisation, stream, finish.
  static VisuXMLError Dump(TestControler& controler) {
    const VisuXMLError initialized = controler.InitializeControler();
    if (initialized != 0) return initialized;
    return controler.FinishXMLDump();
  }
};

// Tests that two interactive dumps write Scene1.xml then Scene2.xml, each
// ending with a newline.
TEST_F(FinishXMLDumpTest, InteractiveDumpsAreNumbered) {
  SetEnvironment("MOKTemp", _Temporary.Path());
  TestControler controler;
  EXPECT_EQ(Dump(controler), 0u);
  EXPECT_EQ(Dump(controler), 0u);
  const std::string first = ReadWholeFile(_Temporary.File("Scene1.xml"));
  const std::string second = ReadWholeFile(_Temporary.File("Scene2.xml"));
  EXPECT_NE(first.find("<Scene"), std::string::npos);
  EXPECT_TRUE(EndsWithNewline(first));
  EXPECT_TRUE(EndsWithNewline(second));
  EXPECT_EQ(Access::Counter(), 3u);
}

// Tests that the written document holds the streamed values.
TEST_F(FinishXMLDumpTest, WrittenDocumentHoldsStreamedValues) {
  SetEnvironment("MOKTemp", _Temporary.Path());
  TestControler controler;
  controler.Content()._Color = "blue";
  controler.Content()._Sizes = {0.125f, -2.0f};
  ASSERT_EQ(Dump(controler), 0u);
  const std::string text = ReadWholeFile(_Temporary.File("Scene1.xml"));
  EXPECT_NE(text.find("Color=\"blue\""), std::string::npos);
  EXPECT_NE(text.find("Size=\"0.13\""), std::string::npos);
  EXPECT_NE(text.find("Size=\"-2.00\""), std::string::npos);
}

// Tests that without a closed root nothing is written and the counter stays.
TEST_F(FinishXMLDumpTest, OpenRootFinishesNothing) {
  SetEnvironment("MOKTemp", _Temporary.Path());
  TestControler controler;
  controler.Content()._CloseRoot = false;
  EXPECT_EQ(Dump(controler), 0u);
  EXPECT_FALSE(FileExists(_Temporary.File("Scene1.xml")));
  EXPECT_EQ(Access::Counter(), 1u);
}

// Tests that a second finish without a new root finds no tree.
TEST_F(FinishXMLDumpTest, SecondFinishFindsNoTree) {
  SetEnvironment("MOKTemp", _Temporary.Path());
  TestControler controler;
  ASSERT_EQ(Dump(controler), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(Access::Counter(), 2u);
  EXPECT_FALSE(FileExists(_Temporary.File("Scene2.xml")));
}

// Tests that a missing output directory gives 2, no file, and still counts.
TEST_F(FinishXMLDumpTest, MissingDirectoryGivesNotWritten) {
  const std::string missing = _Temporary.File("missing");
  SetEnvironment("MOKTemp", missing);
  TestControler controler;
  EXPECT_EQ(Dump(controler), 2u);
  EXPECT_FALSE(FileExists(missing));
  EXPECT_EQ(Access::Counter(), 2u);
}

// Tests that a capture writes the reference file with its newline.
TEST_F(FinishXMLDumpTest, CaptureWritesReference) {
  ConfigureCapture();
  TestControler controler;
  EXPECT_EQ(Dump(controler), 0u);
  const std::string text = ReadWholeFile(_Reference.File("T1_Scene_Ref_1.xml"));
  EXPECT_NE(text.find("Color=\"red\""), std::string::npos);
  EXPECT_TRUE(EndsWithNewline(text));
  EXPECT_FALSE(FileExists(_Output.File("T1_Scene_Out_1.xml")));
}

// Tests that a capture stores the built-in level 6 in the record while the
// variable makes the process write version 3.
TEST_F(FinishXMLDumpTest, CaptureRecordsBuiltInLevel) {
  ConfigureCapture();
  const std::string record = _Temporary.File("record.txt");
  SetEnvironment("MOK_RECORD_FILE", record);
  SetEnvironment("VISU_XML_DUMP_VERSION", "3");
  TestControler controler;
  EXPECT_EQ(Dump(controler), 0u);
  EXPECT_EQ(ReadWholeFile(record), "VisuXMLDumpLevel=6\n");
}

// Tests that a replay with update writes the reference instead of comparing
// (no reference exists, so a comparison would fail).
TEST_F(FinishXMLDumpTest, UpdateWritesReferenceWithoutComparing) {
  ConfigureRecordedReplay();
  SetEnvironment("UpdateVisuXMLDump", "1");
  TestControler controler;
  EXPECT_EQ(Dump(controler), 0u);
  EXPECT_TRUE(EndsWithNewline(
      ReadWholeFile(_Reference.File("T1_Scene_Ref_1.xml"))));
  EXPECT_FALSE(FileExists(_Output.File("T1_Scene_Out_1.xml")));
  EXPECT_FALSE(FileExists(_Output.File("T1_Scene_Error_1.xml")));
}

// Tests that the tree is taken from the stream: the controller owns and
// frees it (the leak checker sees a tree left behind).
TEST_F(FinishXMLDumpTest, TreeIsTakenFromTheStream) {
  SetEnvironment("MOKTemp", _Temporary.Path());
  TestControler controler;
  ASSERT_EQ(Dump(controler), 0u);
  EXPECT_EQ(VisuXMLMarkup::GetXMLStreamNode(), nullptr);
}

// Tests that a replay whose output side cannot be created gives 3 and
// neither writes nor arms the exit code (the process ends normally).
TEST_F(FinishXMLDumpTest, ReplayWithoutMemoryForOutputGivesThree) {
  ConfigureRecordedReplay();
  TestControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  VisuXMLError result;
  {
    ScopedAllocationFailure failure(1);
    result = controler.FinishXMLDump();
  }
  EXPECT_EQ(result, 3u);
  EXPECT_EQ(Access::Counter(), 2u);
  EXPECT_EQ(Access::ComparisonFailed(), 0);
  EXPECT_FALSE(FileExists(_Output.File("T1_Scene_Out_1.xml")));
}

// Tests that a replay whose reference side cannot be created gives 3,
// writes nothing and ends the process normally.
TEST_F(FinishXMLDumpTest, ReplayWithoutMemoryForReferenceGivesThree) {
  ConfigureRecordedReplay();
  WriteWholeFile(_Reference.File("T1_Scene_Ref_1.xml"), "<Other/>\n");
  // The output side is one object and whatever building it allocates.
  MOKLightXmlElement sample{MOKUnicodeString("Scene")};
  FailingAllocator::ResetCount();
  delete new (std::nothrow) VisuXMLFile(sample);
  const std::size_t outputSideAllocations = FailingAllocator::Count();
  TestControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  VisuXMLError result;
  {
    ScopedAllocationFailure failure(outputSideAllocations + 1);
    result = controler.FinishXMLDump();
  }
  EXPECT_EQ(result, 3u);
  EXPECT_EQ(Access::ComparisonFailed(), 0);
  EXPECT_FALSE(FileExists(_Output.File("T1_Scene_Error_1.xml")));
}

}  // namespace
