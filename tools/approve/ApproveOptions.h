#ifndef ApproveOptions_h
#define ApproveOptions_h

#include <string>
#include <vector>

// What the command line of visuxml-approve asks for.
struct ApproveOptions {
  std::string referenceDirectory;
  std::string outputDirectory;
  // Shell patterns matched against the outputs' keys; none selects all.
  std::vector<std::string> selectors;
  // Prints what would be approved, changes nothing.
  bool dryRun = false;
  // Approves outputs that hold "VisuXMLError" elements too.
  bool force = false;
};

// How the command line was understood.
enum class ApproveCommand { Approve, ShowHelp, ShowVersion, BadUsage };

// The outcome of reading the command line; error explains a BadUsage.
struct ApproveArguments {
  ApproveCommand command = ApproveCommand::BadUsage;
  ApproveOptions options;
  std::string error;
};

// Reads the arguments that follow the program name, as getopt_long does.
ApproveArguments ParseApproveArguments(const std::vector<std::string>& args);

// The text printed by --help.
const char* ApproveUsageText();

#endif
