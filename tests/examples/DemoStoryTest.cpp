#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "TemporaryDirectory.h"

namespace {

// The variables the demo reads; each run starts from none of them.
const char* const kDemoVariables[] = {
    "MOK_RECORD_MODE",   "MOK_RECORD_FILE",       "TRQ_LOG_NAME",
    "KVB_TRQ_REF",       "KVB_TRQ_OUT",           "MOKTemp",
    "UpdateVisuXMLDump", "VISU_XML_DUMP_VERSION", "MOK_NOTIFY_LOG"};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Every entry of the directory, hidden ones included.
std::ptrdiff_t CountFiles(const std::string& directory) {
  return std::distance(std::filesystem::directory_iterator(directory), {});
}

// The shell command running the demo with the given variables set and the
// others unset; standard output and error go to the files named.
std::string Demo(const std::vector<std::string>& variables,
                 const std::string& arguments, const std::string& out,
                 const std::string& err) {
  std::string command = "env";
  for (const char* name : kDemoVariables) command.append(" -u ").append(name);
  for (const std::string& variable : variables)
    command += " '" + variable + "'";
  return command + " " + VISUXML_DEMO_PATH + " " + arguments + " >'" + out +
         "' 2>'" + err + "'";
}

// Runs the commands side by side; their exit codes, in order.
std::vector<int> RunTogether(const std::vector<std::string>& commands,
                             const std::string& codes) {
  std::string script;
  for (std::size_t i = 0; i < commands.size(); ++i)
    script += commands[i] + " & p" + std::to_string(i) + "=$!\n";
  for (std::size_t i = 0; i < commands.size(); ++i)
    script += "wait $p" + std::to_string(i) + "; echo $? >>'" + codes + "'\n";
  std::remove(codes.c_str());
  std::system(script.c_str());
  std::istringstream read(ReadWholeFile(codes));
  std::vector<int> results;
  for (int code; read >> code;) results.push_back(code);
  return results;
}

// Runs the demo the way run-demo does, one step of the story per run.
class DemoStoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"tmp", "references", "record", "out"})
      std::filesystem::create_directory(_Dir.File(name));
  }
  int Run(std::vector<std::string> variables, const std::string& arguments) {
    variables.push_back("MOK_NOTIFY_LOG=" + _Dir.File("notifications.log"));
    const int status = std::system(
        Demo(variables, arguments, _Dir.File("stdout"), _Dir.File("stderr"))
            .c_str());
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
  EXPECT_TRUE(Contains(Dumped("Error", 1),
                       "<VisuXMLError>The attribute X value has changed "
                       "from 20.0000 to 21.0000."));
  std::filesystem::remove_all(_Dir.File("out"));
  std::filesystem::create_directory(_Dir.File("out"));
  EXPECT_EQ(TestCase("replay", "--perturb 0.05", true), 0);
  EXPECT_TRUE(Contains(Dumped("Ref", 1), "21.0000"));
  EXPECT_EQ(TestCase("replay", "--perturb 0.05"), 0);
  EXPECT_TRUE(OutputDirectoryIsEmpty());
}

// Tests that --break puts the stream's error element into the document,
// and that a bad option is refused with exit code 2, a message and no file.
TEST_F(DemoStoryTest, BreakAndBadOption) {
  ASSERT_EQ(Interactive("--break"), 0);
  EXPECT_TRUE(Contains(Read("tmp/Scene1.xml"),
                       "<VisuXMLError>The XML markup Colour must appear only "
                       "once in the XML markup Light.</VisuXMLError>"));
  std::filesystem::remove(_Dir.File("tmp/Scene1.xml"));
  EXPECT_EQ(Interactive("--dumps zero"), 2);
  EXPECT_EQ(Read("stderr").rfind("visuxml-demo: ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(_Dir.File("tmp")));
}

// Demo processes side by side, test cases in shared reference and output
// directories; each run's files are compared with those of a run alone.
class ConcurrentRunsTest : public ::testing::Test {
 protected:
  struct Run {
    std::string testCase;
    const char *mode, *perturbation;
  };
  // Starts every run at once, in the directories; gives their exit codes.
  std::vector<int> Together(const std::vector<Run>& runs,
                            const std::string& references,
                            const std::string& outputs) {
    std::vector<std::string> commands;
    for (const Run& run : runs)
      commands.push_back(
          Demo({std::string("MOK_RECORD_MODE=") + run.mode,
                "TRQ_LOG_NAME=" + run.testCase, "KVB_TRQ_REF=" + references,
                "KVB_TRQ_OUT=" + outputs, "MOK_NOTIFY_LOG=/dev/null"},
               "--dumps " + std::to_string(_Dumps) + " --perturb " +
                   run.perturbation,
               "/dev/null", "/dev/null"));
    return RunTogether(commands, _Alone.File("codes"));
  }
  // The file of that kind ("Ref", "Out", "Error") and dump that a run of
  // that mode and perturbation writes alone.
  std::string Alone(const char* mode, const char* perturbation,
                    const std::string& kind, int dump) {
    const std::string directory = _Alone.File(std::string(mode) + perturbation);
    if (!std::filesystem::exists(directory)) {
      std::filesystem::create_directory(directory);
      if (std::string(mode) == "replay")
        Together({{"Alone", "capture", "0"}}, directory, directory);
      Together({{"Alone", mode, perturbation}}, directory, directory);
    }
    return ReadWholeFile(directory + "/" + Name("Alone", kind, dump));
  }
  static std::string Name(const std::string& testCase, const std::string& kind,
                          int dump) {
    return testCase + "_Scene_" + kind + "_" + std::to_string(dump) + ".xml";
  }
  void SetUp() override {
    std::filesystem::create_directory(_References);
    std::filesystem::create_directory(_Outputs);
  }

  // Dumps per run: enough for runs started together to write at once.
  int _Dumps = 10;
  TemporaryDirectory _Shared, _Alone;
  std::string _References = _Shared.File("references"),
              _Outputs = _Shared.File("outputs");
};

// Tests that eight captures at once, then eight failing replays at once, of
// distinct test cases in shared directories leave every reference, output
// and report whole, as a run alone writes it, and none missing.
TEST_F(ConcurrentRunsTest, DistinctTestCasesKeepEveryFileWhole) {
  std::vector<Run> captures, replays;
  for (int process = 0; process < 8; ++process) {
    captures.push_back({"Case" + std::to_string(process), "capture", "0"});
    replays.push_back({"Case" + std::to_string(process), "replay", "0.05"});
  }
  EXPECT_EQ(Together(captures, _References, _Outputs), std::vector<int>(8, 0));
  EXPECT_EQ(Together(replays, _References, _Outputs), std::vector<int>(8, 110));
  EXPECT_EQ(CountFiles(_References), 8 * _Dumps);
  EXPECT_EQ(CountFiles(_Outputs), 2 * 8 * _Dumps);
  for (const Run& run : replays)
    for (int dump = 1; dump <= _Dumps; ++dump) {
      SCOPED_TRACE(run.testCase + " dump " + std::to_string(dump));
      EXPECT_EQ(
          ReadWholeFile(_References + "/" + Name(run.testCase, "Ref", dump)),
          Alone("capture", "0", "Ref", dump));
      for (const char* kind : {"Out", "Error"})
        EXPECT_EQ(
            ReadWholeFile(_Outputs + "/" + Name(run.testCase, kind, dump)),
            Alone("replay", "0.05", kind, dump));
    }
}

// Tests that two captures of one test case at once, of different scenes,
// leave each reference whole: the document of one of the two captures.
TEST_F(ConcurrentRunsTest, SameTestCaseLeavesOneWholeReference) {
  // Two runs only: more dumps give their writes more chances to cross.
  _Dumps = 100;
  EXPECT_EQ(Together({{"Same", "capture", "0"}, {"Same", "capture", "0.05"}},
                     _References, _Outputs),
            std::vector<int>(2, 0));
  EXPECT_EQ(CountFiles(_References), _Dumps);
  for (int dump = 1; dump <= _Dumps; ++dump) {
    SCOPED_TRACE(dump);
    const std::string reference =
        ReadWholeFile(_References + "/" + Name("Same", "Ref", dump));
    const std::string first = Alone("capture", "0", "Ref", dump);
    const std::string second = Alone("capture", "0.05", "Ref", dump);
    ASSERT_NE(first, second);
    EXPECT_TRUE(reference == first || reference == second) << reference;
  }
}

}  // namespace
