#include <gtest/gtest.h>

#include <string>

#include "ChildProcess.h"
#include "ControlFixture.h"
#include "ControlerTestAccess.h"
#include "FailingAllocator.h"
#include "MOKExit.h"
#include "TemporaryDirectory.h"
#include "TestControler.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;

const char* const kReferenceNotValid = "The reference file is not valid.";
const char* const kOutputNotValid = "The output file is not valid.";
const char* const kContainsError =
    "The reference file or the output file contains XML error - No XML "
    "comparison is possible.";

std::size_t CountOccurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + 1))
    ++count;
  return count;
}

// Whole replays run in a child process: a failed comparison makes the
// process end with 110, which the parent then observes.
class ReplayComparisonTest : public ControlFixture {
 protected:
  ReplayComparisonTest() { ConfigureRecordedReplay(); }

  std::string ReferencePath(unsigned int counter) const {
    return _Reference.File("T1_Scene_Ref_" + std::to_string(counter) + ".xml");
  }
  std::string OutputPath(unsigned int counter) const {
    return _Output.File("T1_Scene_Out_" + std::to_string(counter) + ".xml");
  }
  std::string ErrorPath(unsigned int counter) const {
    return _Output.File("T1_Scene_Error_" + std::to_string(counter) + ".xml");
  }

  void WriteReference(unsigned int counter, const SceneContent& content) {
    WriteWholeFile(ReferencePath(counter), TestControler::DocumentText(content));
  }

  // Replays one dump of that content in a child; the report is the result
  // of FinishXMLDump.
  ChildOutcome ReplayInChild(const SceneContent& content) {
    return RunInChildProcess([&content]() {
      TestControler controler;
      controler.Content() = content;
      controler.InitializeControler();
      return std::to_string(controler.FinishXMLDump());
    });
  }
};

// Tests that a dump equal to its reference gives 0, writes nothing and
// leaves the exit code alone.
TEST_F(ReplayComparisonTest, EqualDumpPasses) {
  const SceneContent content;
  WriteReference(1, content);
  const ChildOutcome outcome = ReplayInChild(content);
  EXPECT_EQ(outcome._Report, "0");
  EXPECT_EQ(outcome._ExitCode, 0);
  EXPECT_FALSE(FileExists(OutputPath(1)));
  EXPECT_FALSE(FileExists(ErrorPath(1)));
}

// Tests that a missing reference fails with 6, writes output and report,
// and ends the process with 110.
TEST_F(ReplayComparisonTest, MissingReferenceFails) {
  const ChildOutcome outcome = ReplayInChild(SceneContent());
  EXPECT_EQ(outcome._Report, "6");
  EXPECT_EQ(outcome._ExitCode, 110);
  EXPECT_NE(ReadWholeFile(OutputPath(1)).find("Color=\"red\""),
            std::string::npos);
  const std::string report = ReadWholeFile(ErrorPath(1));
  EXPECT_NE(report.find("VisuXMLErrorReport"), std::string::npos);
  EXPECT_NE(report.find(kReferenceNotValid), std::string::npos);
  EXPECT_EQ(CountOccurrences(report, "<VisuXMLError>"), 1u);
}

// Tests that an unreadable reference counts as not valid.
TEST_F(ReplayComparisonTest, MalformedReferenceIsNotValid) {
  WriteWholeFile(ReferencePath(1), "<Scene Color=\"red\">");
  const ChildOutcome outcome = ReplayInChild(SceneContent());
  EXPECT_EQ(outcome._ExitCode, 110);
  EXPECT_NE(ReadWholeFile(ErrorPath(1)).find(kReferenceNotValid),
            std::string::npos);
}

// Tests that the output document is written without an appended newline.
TEST_F(ReplayComparisonTest, OutputHasNoAppendedNewline) {
  ReplayInChild(SceneContent());
  SetEnvironment("MOKTemp", _Temporary.Path());
  // The same document written by an interactive dump, which appends one.
  const ChildOutcome interactive = RunInChildProcess([this]() {
    SetEnvironment("MOK_RECORD_MODE", nullptr);
    TestControler controler;
    controler.InitializeControler();
    return std::to_string(controler.FinishXMLDump());
  });
  ASSERT_EQ(interactive._Report, "0");
  EXPECT_EQ(ReadWholeFile(OutputPath(1)) + "\n",
            ReadWholeFile(_Temporary.File("Scene1.xml")));
}

// Tests that a reference holding an error element is not compared.
TEST_F(ReplayComparisonTest, ReferenceWithErrorElementFails) {
  WriteWholeFile(ReferencePath(1),
                 "<Scene Color=\"red\"><VisuXMLError>old</VisuXMLError>"
                 "<Object Size=\"1.50\"/></Scene>\n");
  const ChildOutcome outcome = ReplayInChild(SceneContent());
  EXPECT_EQ(outcome._Report, "6");
  EXPECT_EQ(outcome._ExitCode, 110);
  const std::string report = ReadWholeFile(ErrorPath(1));
  EXPECT_NE(report.find(kContainsError), std::string::npos);
  EXPECT_EQ(report.find("<Scene"), std::string::npos);
}

// Tests that a dump carrying a stream error fails even against a reference
// without differences in its values.
TEST_F(ReplayComparisonTest, DumpWithStreamErrorFails) {
  SceneContent content;
  WriteReference(1, content);
  content._OmitColor = true;
  const ChildOutcome outcome = ReplayInChild(content);
  EXPECT_EQ(outcome._Report, "6");
  EXPECT_EQ(outcome._ExitCode, 110);
  EXPECT_NE(ReadWholeFile(ErrorPath(1)).find(kContainsError),
            std::string::npos);
  EXPECT_NE(ReadWholeFile(OutputPath(1)).find("VisuXMLError"),
            std::string::npos);
}

// Tests that a real value within the tolerance passes.
TEST_F(ReplayComparisonTest, ChangeWithinTolerancePasses) {
  WriteWholeFile(ReferencePath(1),
                 "<Scene Color=\"red\"><Object Size=\"1.504\"/></Scene>\n");
  const ChildOutcome outcome = ReplayInChild(SceneContent());
  EXPECT_EQ(outcome._Report, "0");
  EXPECT_EQ(outcome._ExitCode, 0);
  EXPECT_FALSE(FileExists(ErrorPath(1)));
}

// Tests that a real value outside the tolerance fails with the change in
// the report, mirrored below the compared elements.
TEST_F(ReplayComparisonTest, ChangeOutsideToleranceFails) {
  SceneContent reference;
  reference._Sizes = {1.6f};
  WriteReference(1, reference);
  const ChildOutcome outcome = ReplayInChild(SceneContent());
  EXPECT_EQ(outcome._Report, "6");
  EXPECT_EQ(outcome._ExitCode, 110);
  const std::string report = ReadWholeFile(ErrorPath(1));
  EXPECT_NE(report.find("The attribute Size value has changed from 1.60 to "
                        "1.50."),
            std::string::npos);
  EXPECT_NE(report.find("<Scene"), std::string::npos);
}

// Tests that two failed comparisons register the exit hook once and write
// their files under their own counters.
TEST_F(ReplayComparisonTest, TwoFailuresRegisterHookOnce) {
  const ChildOutcome outcome = RunInChildProcess([]() {
    TestControler controler;
    std::string results;
    for (int dump = 0; dump < 2; ++dump) {
      controler.InitializeControler();
      results += std::to_string(controler.FinishXMLDump()) + " ";
    }
    return results + std::to_string(MOKCountExitHooks());
  });
  EXPECT_EQ(outcome._Report, "6 6 1");
  EXPECT_EQ(outcome._ExitCode, 110);
  EXPECT_TRUE(FileExists(OutputPath(1)));
  EXPECT_TRUE(FileExists(ErrorPath(1)));
  EXPECT_TRUE(FileExists(OutputPath(2)));
  EXPECT_TRUE(FileExists(ErrorPath(2)));
}

// Tests that a later passing comparison does not disarm the exit code.
TEST_F(ReplayComparisonTest, LaterPassDoesNotDisarmExitCode) {
  WriteReference(2, SceneContent());
  const ChildOutcome outcome = RunInChildProcess([]() {
    TestControler controler;
    std::string results;
    for (int dump = 0; dump < 2; ++dump) {
      controler.InitializeControler();
      results += std::to_string(controler.FinishXMLDump()) + " ";
    }
    return results;
  });
  EXPECT_EQ(outcome._Report, "6 0 ");
  EXPECT_EQ(outcome._ExitCode, 110);
  EXPECT_FALSE(FileExists(OutputPath(2)));
}

// Tests the names of the third dump, and that the file name names the
// reference after the comparison.
TEST_F(ReplayComparisonTest, ThirdDumpNamesAndReferenceNameAfterwards) {
  const ChildOutcome outcome = RunInChildProcess([this]() {
    Access::SetCounter(3);
    TestControler controler;
    controler.InitializeControler();
    const std::string before = controler.FileNameText();
    controler.FinishXMLDump();
    return before + "|" + controler.FileNameText();
  });
  EXPECT_EQ(outcome._Report, _Output.Path() + "\\T1_Scene_Out_3.xml|" +
                                 _Reference.Path() + "\\T1_Scene_Ref_3.xml");
  EXPECT_TRUE(FileExists(OutputPath(3)));
  EXPECT_TRUE(FileExists(ErrorPath(3)));
}

// Tests that a replay reads the reference of its own counter.
TEST_F(ReplayComparisonTest, ReferenceOfTheCounterIsRead) {
  WriteReference(3, SceneContent());
  const ChildOutcome outcome = RunInChildProcess([]() {
    Access::SetCounter(3);
    TestControler controler;
    controler.InitializeControler();
    return std::to_string(controler.FinishXMLDump());
  });
  EXPECT_EQ(outcome._Report, "0");
  EXPECT_EQ(outcome._ExitCode, 0);
}

// Tests that an output side without its tree copy is reported as not
// valid (the second allocation is the output side's copy of the tree).
TEST_F(ReplayComparisonTest, OutputWithoutTreeCopyIsNotValid) {
  WriteReference(1, SceneContent());
  const ChildOutcome outcome = RunInChildProcess([]() {
    TestControler controler;
    controler.InitializeControler();
    ScopedAllocationFailure failure(2);
    return std::to_string(controler.FinishXMLDump());
  });
  EXPECT_EQ(outcome._Report, "6");
  EXPECT_EQ(outcome._ExitCode, 110);
  const std::string report = ReadWholeFile(ErrorPath(1));
  EXPECT_NE(report.find(kOutputNotValid), std::string::npos);
}

}  // namespace
