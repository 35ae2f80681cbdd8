#ifndef CompareOptions_h
#define CompareOptions_h

#include <string>
#include <vector>

// What the command line of visuxml-compare asks for.
struct CompareOptions {
  std::string referencePath;
  std::string outputPath;
  // Attribute names to compare as real numbers.
  std::vector<std::string> realNames;
  // Declares real every attribute whose values all read as numbers.
  bool realAllNumeric = false;
  // Empty when the process's own dump version applies.
  std::string dumpVersion;
  // Empty when no error report is to be written.
  std::string reportPath;
};

// How the command line was understood.
enum class CompareCommand { Compare, ShowHelp, ShowVersion, BadUsage };

// The outcome of reading the command line; error explains a BadUsage.
struct CompareArguments {
  CompareCommand command = CompareCommand::BadUsage;
  CompareOptions options;
  std::string error;
};

// Reads the arguments that follow the program name.
CompareArguments ParseCompareArguments(const std::vector<std::string>& args);

// The text printed by --help.
const char* CompareUsageText();

#endif
