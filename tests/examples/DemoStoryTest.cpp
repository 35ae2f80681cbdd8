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

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Runs the demo the way run-demo does, one step of the story per run.
class DemoStoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"tmp", "references", "record", "out"})
      std::filesystem::create_directory(_Dir.File(name));
  }
  // Runs the demo with the given variables set and the others unset.
  int Run(std::vector<std::string> variables, const std::string& arguments) {
    std::string command = "env";
    for (const char* name : kDemoVariables) command.append(" -u ").append(name);
    variables.push_back("MOK_NOTIFY_LOG=" + _Dir.File("notifications.log"));
    for (const std::string& variable : variables)
      command += " '" + variable + "'";
    command += std::string(" ") + VISUXML_DEMO_PATH + " " + arguments + " >'" +
               _Dir.File("stdout") + "' 2>'" + _Dir.File("stderr") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Interactive(const std::string& arguments) {
    return Run({"MOKTemp=" + _Dir.File("tmp")}, arguments);
  }
  // Two dumps of the test case DemoCase in the record mode.
  int TestCase(const char* mode, const std::string& arguments,
               bool update = false) {
    std::vector<std::string> variables = {
        std::string("MOK_RECORD_MODE=") + mode, "TRQ_LOG_NAME=DemoCase",
        "KVB_TRQ_REF=" + _Dir.File("references"),
        "KVB_TRQ_OUT=" + _Dir.File("out"),
        "MOK_RECORD_FILE=" + _Dir.File("record/levels.txt")};
    if (update) variables.push_back("UpdateVisuXMLDump=1");
    return Run(variables, "--dumps 2 " + arguments);
  }
  std::string Read(const std::string& name) const {
    return ReadWholeFile(_Dir.File(name));
  }
  // The reference ("Ref"), output ("Out") or error report ("Error").
  std::string Dumped(const std::string& kind, int dump) const {
    return Read(std::string(kind == "Ref" ? "references" : "out") +
                "/DemoCase_Scene_" + kind + "_" + std::to_string(dump) +
                ".xml");
  }
  bool OutputDirectoryIsEmpty() const {
    return std::filesystem::is_empty(_Dir.File("out"));
  }
  TemporaryDirectory _Dir;
};

// Tests that an interactive run writes and notifies one file per dump, the
// scene moving in between.
TEST_F(DemoStoryTest, InteractiveRunWritesOneFilePerDump) {
  ASSERT_EQ(Interactive("--dumps 2"), 0);
  const std::string first = Read("tmp/Scene1.xml");
  EXPECT_TRUE(Contains(first, "<Scene"));
  EXPECT_NE(first, Read("tmp/Scene2.xml"));
  EXPECT_FALSE(FileExists(_Dir.File("tmp/Scene3.xml")));
  const std::string notifications = Read("notifications.log");
  EXPECT_EQ(std::count(notifications.begin(), notifications.end(), '\t'), 2);
}

// Tests the story of a test case: the capture writes references and record;
// the same scene and one within tolerance replay without writing; one out
// of tolerance exits with 110 and leaves each dump's output and error
// report; an update then makes it pass.
TEST_F(DemoStoryTest, CaptureReplayUpdate) {
  ASSERT_EQ(TestCase("capture", ""), 0);
  EXPECT_TRUE(Contains(Dumped("Ref", 2), "<Scene"));
  EXPECT_TRUE(Contains(Read("record/levels.txt"), "VisuXMLDumpLevel"));
  for (const char* arguments : {"", "--perturb 0.001"}) {
    EXPECT_EQ(TestCase("replay", arguments), 0) << arguments;
    EXPECT_TRUE(OutputDirectoryIsEmpty()) << arguments;
  }
  EXPECT_EQ(TestCase("replay", "--perturb 0.05"), 110);
  for (int dump : {1, 2}) {
    EXPECT_TRUE(Contains(Dumped("Out", dump), "<Scene"));
    EXPECT_TRUE(Contains(Dumped("Error", dump), "<VisuXMLErrorReport>"));
    EXPECT_TRUE(Contains(Dumped("Error", dump), "value has changed"));
  }
  EXPECT_TRUE(Contains(Dumped("Error", 1), "<VisuXMLError>The attribute X "
                       "value has changed from 20.0000 to 21.0000."));
  std::filesystem::remove_all(_Dir.File("out"));
  std::filesystem::create_directory(_Dir.File("out"));
  EXPECT_EQ(TestCase("replay", "--perturb 0.05", true), 0);
  EXPECT_TRUE(Contains(Dumped("Ref", 1), "21.0000"));
  EXPECT_EQ(TestCase("replay", "--perturb 0.05"), 0);
  EXPECT_TRUE(OutputDirectoryIsEmpty());
}

// Tests that --break puts the stream's error element into the document.
TEST_F(DemoStoryTest, BreakWritesErrorElement) {
  ASSERT_EQ(Interactive("--break"), 0);
  EXPECT_TRUE(Contains(Read("tmp/Scene1.xml"),
                       "<VisuXMLError>The XML markup Colour must appear only "
                       "once in the XML markup Light.</VisuXMLError>"));
}

// Tests that a bad option is refused with exit code 2, a message and no file.
TEST_F(DemoStoryTest, BadOptionExitsTwo) {
  EXPECT_EQ(Interactive("--dumps zero"), 2);
  EXPECT_EQ(Read("stderr").rfind("visuxml-demo: ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(_Dir.File("tmp")));
}

}  // namespace
