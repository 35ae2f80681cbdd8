// visuxml-compare: compares two XML dumps the way a replay does.
#include <iostream>
#include <string>
#include <vector>

#include "CompareOptions.h"
#include "CompareRun.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  CompareArguments arguments = ParseCompareArguments(args);
  switch (arguments.command) {
    case CompareCommand::ShowHelp:
      std::cout << CompareUsageText();
      return CompareSame;
    case CompareCommand::ShowVersion:
      std::cout << "visuxml-compare " << VISUXML_VERSION << "\n";
      return CompareSame;
    case CompareCommand::BadUsage:
      std::cerr << "visuxml-compare: " << arguments.error << "\n"
                << "Try 'visuxml-compare --help'.\n";
      return CompareTrouble;
    default:
      return RunCompare(arguments.options, std::cout, std::cerr);
  }
}
