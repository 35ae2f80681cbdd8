#ifndef DemoOptions_h
#define DemoOptions_h

#include <string>
#include <vector>

// What the command line of visuxml-demo asks for.
struct DemoOptions {
  // Every transform entry is scaled by (1 + perturbation).
  double perturbation = 0.0;
  int dumps = 1;
  bool breakGrammar = false;
  bool showHelp = false;
};

// Reads the arguments that follow the program name into options; returns
// an empty text, or what is wrong with them.
std::string ParseDemoOptions(const std::vector<std::string>& args,
                             DemoOptions& options);

// The text printed by --help.
const char* DemoUsageText();

#endif
