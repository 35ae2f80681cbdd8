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

// Tests that an interactive run writes and notifies one file per dump, the
// scene moving in between, and --break the stream's error element into
// them; that a bad option is refused with exit code 2, a message and no
// file.
TEST_F(DemoStoryTest, InteractiveRunAndBadOption) {
  ASSERT_EQ(Interactive("--dumps 2 --break"), 0);
  const std::string first = Read("tmp/Scene1.xml");
  EXPECT_TRUE(Contains(first,
                       "<VisuXMLError>The XML markup Colour must appear only "
                       "once in the XML markup Light.</VisuXMLError>"));
  EXPECT_NE(first, Read("tmp/Scene2.xml"));
  EXPECT_FALSE(FileExists(_Dir.File("tmp/Scene3.xml")));
  const std::string notifications = Read("notifications.log");
  EXPECT_EQ(std::count(notifications.begin(), notifications.end(), '\t'), 2);
  std::filesystem::remove_all(_Dir.File("tmp"));
  std::filesystem::create_directory(_Dir.File("tmp"));
  EXPECT_EQ(Interactive("--dumps zero"), 2);
  EXPECT_EQ(Read("stderr").rfind("visuxml-demo: ", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(_Dir.File("tmp")));
}

// Captures by demo processes side by side, test cases in one shared
// reference directory; each reference is compared with that of a run alone.
class ConcurrentRunsTest : public ::testing::Test {
 protected:
  struct Run {
    std::string testCase;
    const char* perturbation;
  };
  // Starts every capture at once, in the directory; gives their exit codes.
  std::vector<int> Together(const std::vector<Run>& runs,
                            const std::string& directory) {
    std::vector<std::string> commands;
    for (const Run& run : runs)
      commands.push_back(
          Demo({"MOK_RECORD_MODE=capture", "TRQ_LOG_NAME=" + run.testCase,
                "KVB_TRQ_REF=" + directory, "KVB_TRQ_OUT=" + directory,
                "MOK_NOTIFY_LOG=/dev/null"},
               "--dumps " + std::to_string(_Dumps) + " --perturb " +
                   run.perturbation,
               "/dev/null", "/dev/null"));
    return RunTogether(commands, _Alone.File("codes"));
  }
  // The reference of that dump a capture of that perturbation writes alone.
  std::string Alone(const char* perturbation, int dump) {
    const std::string directory = _Alone.File(perturbation);
    if (std::filesystem::create_directory(directory))
      Together({{"Alone", perturbation}}, directory);
    return ReadWholeFile(directory + "/" + Name("Alone", dump));
  }
  static std::string Name(const std::string& testCase, int dump) {
    return testCase + "_Scene_Ref_" + std::to_string(dump) + ".xml";
  }

  // Dumps per run: enough for runs started together to write at once, and
  // for the writes of two runs of one test case to cross.
  const int _Dumps = 100;
  TemporaryDirectory _Shared, _Alone;
};

// Tests that captures at once in shared directories, six of distinct test
// cases and two of one test case with different scenes, leave every
// reference whole and none missing: as a run alone writes it, or for the
// shared test case that of one of its two captures.
TEST_F(ConcurrentRunsTest, EveryReferenceStaysWhole) {
  std::vector<Run> runs = {{"Same", "0"}, {"Same", "0.05"}};
  for (int process = 0; process < 6; ++process)
    runs.push_back({"Case" + std::to_string(process), "0"});
  EXPECT_EQ(Together(runs, _Shared.Path()), std::vector<int>(8, 0));
  EXPECT_EQ(CountFiles(_Shared.Path()), 7 * _Dumps);
  for (int dump = 1; dump <= _Dumps; ++dump) {
    SCOPED_TRACE(dump);
    const std::string first = Alone("0", dump);
    const std::string second = Alone("0.05", dump);
    ASSERT_NE(first, second);
    for (const Run& run : runs) {
      const std::string reference =
          ReadWholeFile(_Shared.File(Name(run.testCase, dump)));
      EXPECT_TRUE(reference == first ||
                  (run.testCase == "Same" && reference == second))
          << run.testCase;
    }
  }
}

}  // namespace
