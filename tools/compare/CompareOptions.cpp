#include "CompareOptions.h"

#include <cstdlib>

namespace {

const char kUsage[] =
    "Usage: visuxml-compare [OPTIONS] REFERENCE OUTPUT\n"
    "Compares two XML dumps the way a replay compares a dump with its\n"
    "reference, and prints one line per difference.\n"
    "\n"
    "  --real NAME          compare attribute NAME as a real number\n"
    "                       (repeatable)\n"
    "  --real-all-numeric   compare as real numbers every attribute whose\n"
    "                       values all read as numbers in both files\n"
    "  --dump-version N     apply the tolerance rules of dump version N\n"
    "  --report FILE        write the XML error report to FILE\n"
    "  --help               show this text\n"
    "  --version            show the version\n"
    "\n"
    "Exit status: 0 no difference, 1 differences, 2 trouble.\n";

bool IsInteger(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  std::strtol(text.c_str(), &end, 10);
  return *end == '\0';
}

CompareArguments BadUsage(const std::string& error) {
  CompareArguments result;
  result.command = CompareCommand::BadUsage;
  result.error = error;
  return result;
}

// Options that take a value: stores it, or explains what is wrong.
std::string StoreOptionValue(const std::string& option,
                             const std::string& value,
                             CompareOptions& options) {
  if (option == "--real") {
    options.realNames.push_back(value);
  } else if (option == "--report") {
    options.reportPath = value;
  } else if (!IsInteger(value)) {
    return "--dump-version needs an integer, not '" + value + "'";
  } else {
    options.dumpVersion = value;
  }
  return std::string();
}

bool TakesValue(const std::string& option) {
  return option == "--real" || option == "--report" ||
         option == "--dump-version";
}

}  // namespace

CompareArguments ParseCompareArguments(const std::vector<std::string>& args) {
  CompareArguments result;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.command = CompareCommand::ShowHelp;
      return result;
    }
    if (arg == "--version") {
      result.command = CompareCommand::ShowVersion;
      return result;
    }
    if (arg == "--real-all-numeric") {
      result.options.realAllNumeric = true;
    } else if (TakesValue(arg)) {
      if (i + 1 == args.size()) return BadUsage(arg + " needs a value");
      std::string error = StoreOptionValue(arg, args[++i], result.options);
      if (!error.empty()) return BadUsage(error);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return BadUsage("unknown option '" + arg + "'");
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2)
    return BadUsage("expected two files, REFERENCE and OUTPUT");
  result.options.referencePath = files[0];
  result.options.outputPath = files[1];
  result.command = CompareCommand::Compare;
  return result;
}

const char* CompareUsageText() { return kUsage; }
