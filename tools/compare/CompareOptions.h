#ifndef CompareOptions_h
#define CompareOptions_h

#include <string>
#include <vector>

// The name that stands for standard input among the files.
constexpr char kStandardInputName[] = "-";

// What the command line of visuxml-compare asks for.
struct CompareOptions {
  // Two files, or two directories for the review of a replay's output.
  std::string referencePath;
  std::string outputPath;
  // Attribute names to compare as real numbers.
  std::vector<std::string> realNames;
  // Real also every attribute whose values all are plain decimals.
  bool realAllNumeric = false;
  // 0 when the process's own dump version applies.
  int dumpVersion = 0;
  // Bounds that replace the dump version's rule; negative when not given.
  double absoluteTolerance = -1.0;
  double relativeTolerance = -1.0;
  // Empty when no error report is to be written.
  std::string reportPath;
  // Empty when no JUnit report is to be written.
  std::string junitPath;
  // Empty when no HTML page is to be written.
  std::string htmlPath;
  // Nothing on standard output: the exit status tells.
  bool quiet = false;
  // Says so when the files are the same.
  bool reportIdentical = false;

  bool HasToleranceBounds() const {
    return absoluteTolerance >= 0.0 || relativeTolerance >= 0.0;
  }
};

// How the command line was understood.
enum class CompareCommand { Compare, ShowHelp, ShowVersion, BadUsage };

// The outcome of reading the command line; error explains a BadUsage.
struct CompareArguments {
  CompareCommand command = CompareCommand::BadUsage;
  CompareOptions options;
  std::string error;
};

// Reads the arguments that follow the program name, the way getopt_long
// does: "--opt=value" or "--opt value", options and files in any order,
// "--" ending the options.
CompareArguments ParseCompareArguments(const std::vector<std::string>& args);

// The text printed by --help.
const char* CompareUsageText();

#endif
