#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TemporaryDirectory.h"

namespace {

// The variables the demo reads; each run starts from none of them.
const char* const kDemoVariables[] = {
    "MOK_RECORD_MODE", "MOK_RECORD_FILE", "TRQ_LOG_NAME", "KVB_TRQ_REF",
    "KVB_TRQ_OUT", "MOKTemp", "UpdateVisuXMLDump", "VISU_XML_DUMP_VERSION"};

// Runs the demo the way run-demo does, one step of the story per run.
class DemoStoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"tmp", "references", "record", "out"})
      std::filesystem::create_directory(_Dir.File(name));
  }

  // Runs a program with the given variables set and the others unset.
  int Run(const std::string& program, const std::vector<std::string>& variables,
          const std::string& arguments) {
    std::string command = "env";
    for (const char* name : kDemoVariables) command += std::string(" -u ") + name;
    command += " MOK_NOTIFY_LOG='" + _Dir.File("notifications.log") + "'";
    for (const std::string& variable : variables) command += " '" + variable + "'";
    command += " " + program + " " + arguments + " >'" + _Dir.File("stdout") +
               "' 2>'" + _Dir.File("stderr") + "'";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Interactive(const std::string& arguments) {
    return Run(VISUXML_DEMO_PATH, {"MOKTemp=" + _Dir.File("tmp")}, arguments);
  }
  std::vector<std::string> TestCase(const char* mode) {
    return {std::string("MOK_RECORD_MODE=") + mode, "TRQ_LOG_NAME=DemoCase",
            "KVB_TRQ_REF=" + _Dir.File("references"),
            "KVB_TRQ_OUT=" + _Dir.File("out"),
            "MOK_RECORD_FILE=" + _Dir.File("record/levels.txt")};
  }
  int Capture() {
    return Run(VISUXML_DEMO_PATH, TestCase("capture"), "--dumps 2");
  }
  int Replay(const std::string& arguments) {
    return Run(VISUXML_DEMO_PATH, TestCase("replay"), "--dumps 2 " + arguments);
  }
  std::string Reference(int dump) const {
    return _Dir.File("references/DemoCase_Scene_Ref_" + std::to_string(dump) +
                     ".xml");
  }
  std::string Output(const char* kind, int dump) const {
    return _Dir.File(std::string("out/DemoCase_Scene_") + kind + "_" +
                     std::to_string(dump) + ".xml");
  }
  bool OutputDirectoryIsEmpty() const {
    return std::filesystem::is_empty(_Dir.File("out"));
  }
  static bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  TemporaryDirectory _Dir;
};

// Tests that an interactive run writes one file per dump and notifies each.
TEST_F(DemoStoryTest, InteractiveRunWritesOneFilePerDump) {
  ASSERT_EQ(Interactive("--dumps 2"), 0);
  EXPECT_TRUE(FileExists(_Dir.File("tmp/Scene1.xml")));
  EXPECT_TRUE(FileExists(_Dir.File("tmp/Scene2.xml")));
  EXPECT_FALSE(FileExists(_Dir.File("tmp/Scene3.xml")));
  std::string notifications = ReadWholeFile(_Dir.File("notifications.log"));
  EXPECT_EQ(std::count(notifications.begin(), notifications.end(), '\t'), 2);
}

// Tests that the scene moves between dumps, the same way in every run.
TEST_F(DemoStoryTest, SceneMovesDeterministically) {
  ASSERT_EQ(Interactive("--dumps 2"), 0);
  std::string first = ReadWholeFile(_Dir.File("tmp/Scene1.xml"));
  std::string second = ReadWholeFile(_Dir.File("tmp/Scene2.xml"));
  EXPECT_NE(first, second);
  ASSERT_EQ(Interactive("--dumps 2"), 0);
  EXPECT_EQ(ReadWholeFile(_Dir.File("tmp/Scene2.xml")), second);
}

// Tests that a capture writes the references and the record file.
TEST_F(DemoStoryTest, CaptureWritesReferencesAndRecord) {
  ASSERT_EQ(Capture(), 0);
  EXPECT_TRUE(FileExists(Reference(1)));
  EXPECT_TRUE(FileExists(Reference(2)));
  EXPECT_TRUE(Contains(ReadWholeFile(_Dir.File("record/levels.txt")),
                       "VisuXMLDumpLevel"));
  EXPECT_TRUE(OutputDirectoryIsEmpty());
}

// Tests that replaying the captured scene passes and writes nothing.
TEST_F(DemoStoryTest, ReplayOfSameScenePasses) {
  ASSERT_EQ(Capture(), 0);
  EXPECT_EQ(Replay(""), 0);
  EXPECT_TRUE(OutputDirectoryIsEmpty());
}

// Tests that a perturbation inside the tolerance still passes.
TEST_F(DemoStoryTest, ReplayWithinTolerancePasses) {
  ASSERT_EQ(Capture(), 0);
  EXPECT_EQ(Replay("--perturb 0.001"), 0);
  EXPECT_TRUE(OutputDirectoryIsEmpty());
}

// Tests that a perturbation beyond the tolerance exits with 110 and leaves
// the output documents and error reports of every dump.
TEST_F(DemoStoryTest, ReplayBeyondToleranceFails) {
  ASSERT_EQ(Capture(), 0);
  EXPECT_EQ(Replay("--perturb 0.05"), 110);
  for (int dump : {1, 2}) {
    EXPECT_TRUE(FileExists(Output("Out", dump)));
    std::string report = ReadWholeFile(Output("Error", dump));
    EXPECT_TRUE(Contains(report, "<VisuXMLErrorReport>"));
    EXPECT_TRUE(Contains(report, "value has changed"));
  }
}

// Tests that visuxml-compare reads the failed replay's files as the
// replay did, with paths to the changed values.
TEST_F(DemoStoryTest, CompareToolExplainsFailedReplay) {
  ASSERT_EQ(Capture(), 0);
  ASSERT_EQ(Replay("--perturb 0.05"), 110);
  EXPECT_EQ(Run(VISUXML_COMPARE_PATH, {},
                "--real-all-numeric " + Reference(1) + " " + Output("Out", 1)),
            1);
  EXPECT_TRUE(Contains(ReadWholeFile(_Dir.File("stdout")),
                       "/Scene/Object[1]/Transform[1]/Row[1]/@X: The attribute "
                       "X value has changed from 20.0000 to 21.0000.\n"));
}

// Tests that an update replaces the references, so the new scene passes.
TEST_F(DemoStoryTest, UpdateReplacesReferences) {
  ASSERT_EQ(Capture(), 0);
  std::vector<std::string> update = TestCase("replay");
  update.push_back("UpdateVisuXMLDump=1");
  EXPECT_EQ(Run(VISUXML_DEMO_PATH, update, "--dumps 2 --perturb 0.05"), 0);
  EXPECT_TRUE(Contains(ReadWholeFile(Reference(1)), "21.0000"));
  EXPECT_EQ(Replay("--perturb 0.05"), 0);
  EXPECT_TRUE(OutputDirectoryIsEmpty());
}

// Tests that --break puts the stream's error element into the document.
TEST_F(DemoStoryTest, BreakWritesErrorElement) {
  ASSERT_EQ(Interactive("--break"), 0);
  EXPECT_TRUE(Contains(ReadWholeFile(_Dir.File("tmp/Scene1.xml")),
                       "<VisuXMLError>The XML markup Colour must appear only "
                       "once in the XML markup Light.</VisuXMLError>"));
}

// Tests that a dump carrying an error element fails its replay.
TEST_F(DemoStoryTest, BrokenDumpFailsReplay) {
  ASSERT_EQ(Capture(), 0);
  EXPECT_EQ(Replay("--break"), 110);
  EXPECT_TRUE(Contains(ReadWholeFile(Output("Error", 1)),
                       "contains XML error - No XML comparison is possible."));
  EXPECT_FALSE(FileExists(Output("Error", 2)));
}

// Tests that a bad option is refused with exit code 2 and a message.
TEST_F(DemoStoryTest, BadOptionExitsTwo) {
  EXPECT_EQ(Interactive("--dumps zero"), 2);
  EXPECT_EQ(ReadWholeFile(_Dir.File("stderr")).rfind("visuxml-demo: ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(_Dir.File("tmp")));
}

}  // namespace
