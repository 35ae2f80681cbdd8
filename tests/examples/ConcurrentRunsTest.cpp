#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "TemporaryDirectory.h"

extern char** environ;

namespace {

constexpr int kProcesses = 8;

// Runs visuxml-demo processes side by side, test cases in shared reference
// and output directories, each run with only the variables it is given.
class ConcurrentRunsTest : public ::testing::Test {
 protected:
  struct Run {
    std::string testCase;
    const char* mode;
    const char* perturbation;
  };

  // Starts the demo for the run; its output goes nowhere.
  pid_t Start(const Run& run, const std::string& references, const std::string& outputs) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable)
      if (!IsDemoVariable(*variable)) variables.push_back(*variable);
    variables.push_back(std::string("MOK_RECORD_MODE=") + run.mode);
    variables.push_back("TRQ_LOG_NAME=" + run.testCase);
    variables.push_back("KVB_TRQ_REF=" + references);
    variables.push_back("KVB_TRQ_OUT=" + outputs);
    variables.push_back("MOK_NOTIFY_LOG=/dev/null");
    const std::vector<std::string> arguments = {VISUXML_DEMO_PATH, "--dumps", std::to_string(_Dumps),
                                                "--perturb", run.perturbation};
    std::vector<char*> argv, envp;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    for (const std::string& variable : variables) envp.push_back(const_cast<char*>(variable.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t process = -1;
    EXPECT_EQ(posix_spawn(&process, VISUXML_DEMO_PATH, &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    return process;
  }
  // Starts every run at once and gives their exit codes, in order.
  std::vector<int> RunTogether(const std::vector<Run>& runs, const std::string& references,
                               const std::string& outputs) {
    std::vector<pid_t> processes;
    for (const Run& run : runs) processes.push_back(Start(run, references, outputs));
    std::vector<int> codes;
    for (pid_t process : processes) {
      int status = 0;
      codes.push_back(process > 0 && ::waitpid(process, &status, 0) == process && WIFEXITED(status)
                          ? WEXITSTATUS(status)
                          : -1);
    }
    return codes;
  }
  // The dumps a run of that mode and perturbation writes, run alone: the
  // document of each kind ("Ref", "Out", "Error") and dump number.
  std::string Alone(const char* mode, const char* perturbation, const std::string& kind, int dump) {
    const std::string directory = _Alone.File(std::string(mode) + perturbation);
    if (!std::filesystem::exists(directory)) {
      std::filesystem::create_directory(directory);
      if (std::string(mode) == "replay") RunTogether({{"Alone", "capture", "0"}}, directory, directory);
      RunTogether({{"Alone", mode, perturbation}}, directory, directory);
    }
    return ReadWholeFile(directory + "/" + Name("Alone", kind, dump));
  }
  static std::string Name(const std::string& testCase, const std::string& kind, int dump) {
    return testCase + "_Scene_" + kind + "_" + std::to_string(dump) + ".xml";
  }
  static std::size_t CountFiles(const std::string& directory) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) count += entry.is_regular_file();
    return count;
  }
  static bool IsDemoVariable(const char* variable) {
    for (const char* name : {"MOK_RECORD_MODE", "MOK_RECORD_FILE", "TRQ_LOG_NAME", "KVB_TRQ_REF",
                             "KVB_TRQ_OUT", "MOKTemp", "UpdateVisuXMLDump", "VISU_XML_DUMP_VERSION",
                             "MOK_NOTIFY_LOG"}) {
      const std::size_t length = std::strlen(name);
      if (std::strncmp(variable, name, length) == 0 && variable[length] == '=') return true;
    }
    return false;
  }

  // Dumps per run: enough for runs started together to write at once.
  int _Dumps = 10;
  TemporaryDirectory _Shared, _Alone;
  std::string _References = _Shared.File("references"), _Outputs = _Shared.File("outputs");

  void SetUp() override {
    std::filesystem::create_directory(_References);
    std::filesystem::create_directory(_Outputs);
  }
};

// Tests that eight captures at once, then eight failing replays at once, of
// distinct test cases in shared directories leave every reference, output
// and report whole, as a run alone writes it, and none missing.
TEST_F(ConcurrentRunsTest, DistinctTestCasesKeepEveryFileWhole) {
  std::vector<Run> captures, replays;
  for (int process = 0; process < kProcesses; ++process) {
    captures.push_back({"Case" + std::to_string(process), "capture", "0"});
    replays.push_back({"Case" + std::to_string(process), "replay", "0.05"});
  }
  EXPECT_EQ(RunTogether(captures, _References, _Outputs), std::vector<int>(kProcesses, 0));
  EXPECT_EQ(RunTogether(replays, _References, _Outputs), std::vector<int>(kProcesses, 110));
  EXPECT_EQ(CountFiles(_References), std::size_t(kProcesses * _Dumps));
  EXPECT_EQ(CountFiles(_Outputs), std::size_t(2 * kProcesses * _Dumps));
  for (const Run& run : replays)
    for (int dump = 1; dump <= _Dumps; ++dump) {
      SCOPED_TRACE(run.testCase + " dump " + std::to_string(dump));
      EXPECT_EQ(ReadWholeFile(_References + "/" + Name(run.testCase, "Ref", dump)),
                Alone("capture", "0", "Ref", dump));
      for (const char* kind : {"Out", "Error"})
        EXPECT_EQ(ReadWholeFile(_Outputs + "/" + Name(run.testCase, kind, dump)),
                  Alone("replay", "0.05", kind, dump));
    }
}

// Tests that two captures of one test case at once, of different scenes,
// leave each reference whole: the document of one of the two captures.
TEST_F(ConcurrentRunsTest, SameTestCaseLeavesOneWholeReference) {
  // Two runs only: more dumps give their writes more chances to cross.
  _Dumps = 100;
  EXPECT_EQ(RunTogether({{"Same", "capture", "0"}, {"Same", "capture", "0.05"}}, _References, _Outputs),
            std::vector<int>(2, 0));
  EXPECT_EQ(CountFiles(_References), std::size_t(_Dumps));
  for (int dump = 1; dump <= _Dumps; ++dump) {
    SCOPED_TRACE(dump);
    const std::string reference = ReadWholeFile(_References + "/" + Name("Same", "Ref", dump));
    const std::string first = Alone("capture", "0", "Ref", dump);
    const std::string second = Alone("capture", "0.05", "Ref", dump);
    ASSERT_NE(first, second);
    EXPECT_TRUE(reference == first || reference == second) << reference;
  }
}

}  // namespace
