#include "CompareOptions.h"

#include <getopt.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "PlainDecimal.h"

namespace {

// Options without a short form are told apart by codes beyond characters.
enum : int { kReportOption = 256, kJUnitOption, kHtmlOption };

const char kShortOptions[] = ":qshVnR:d:a:r:";

const struct option kLongOptions[] = {
    {"quiet", no_argument, nullptr, 'q'},
    {"report-identical-files", no_argument, nullptr, 's'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"real-all-numeric", no_argument, nullptr, 'n'},
    {"real", required_argument, nullptr, 'R'},
    {"dump-version", required_argument, nullptr, 'd'},
    {"abs-tolerance", required_argument, nullptr, 'a'},
    {"rel-tolerance", required_argument, nullptr, 'r'},
    {"report", required_argument, nullptr, kReportOption},
    {"junit", required_argument, nullptr, kJUnitOption},
    {"html", required_argument, nullptr, kHtmlOption},
    {nullptr, 0, nullptr, 0}};

std::string LongNameOf(int code) {
  for (const option* entry = kLongOptions; entry->name != nullptr; ++entry)
    if (entry->val == code) return std::string("--") + entry->name;
  return std::string();
}

// Digits only, no sign, within the int range, not zero.
bool ReadPositiveInteger(const std::string& text, int& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  errno = 0;
  const long read = std::strtol(text.c_str(), nullptr, 10);
  if (errno != 0 || read <= 0 || read > INT_MAX) return false;
  value = static_cast<int>(read);
  return true;
}

bool ReadTolerance(const std::string& text, double& value) {
  if (!IsPlainDecimal(text.data(), text.size())) return false;
  const double read = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(read) || read < 0.0) return false;
  value = read;
  return true;
}

std::string StoreFileName(const char* option, const std::string& value,
                          std::string& path) {
  if (value.empty()) return std::string(option) + " needs a file name";
  path = value;
  return std::string();
}

// Stores the value of an option that takes one; the error otherwise.
std::string StoreValue(int code, const std::string& value,
                       CompareOptions& options) {
  switch (code) {
    case 'R':
      if (value.empty()) return "--real needs an attribute name";
      options.realNames.push_back(value);
      return std::string();
    case 'd':
      if (ReadPositiveInteger(value, options.dumpVersion)) return std::string();
      return "--dump-version needs a positive integer, not '" + value + "'";
    case 'a':
      if (ReadTolerance(value, options.absoluteTolerance)) return std::string();
      return "--abs-tolerance needs a non-negative decimal number, not '" +
             value + "'";
    case 'r':
      if (ReadTolerance(value, options.relativeTolerance)) return std::string();
      return "--rel-tolerance needs a non-negative decimal number, not '" +
             value + "'";
    case kReportOption:
      return StoreFileName("--report", value, options.reportPath);
    case kHtmlOption:
      return StoreFileName("--html", value, options.htmlPath);
    default:
      return StoreFileName("--junit", value, options.junitPath);
  }
}

// An unknown long option, or the unfinished start of several.
std::string UnknownLongOption(const std::string& argument) {
  const std::string name = argument.substr(2, argument.find('=') - 2);
  int matches = 0;
  for (const option* entry = kLongOptions; entry->name != nullptr; ++entry)
    if (std::strncmp(entry->name, name.c_str(), name.size()) == 0) ++matches;
  const std::string shown = "--" + name;
  return matches > 1 ? "option '" + shown + "' is ambiguous"
                     : "unrecognized option '" + shown + "'";
}

// Says what getopt_long refused: codes known here were given wrongly.
std::string Refusal(int result, int code, const char* argument) {
  const std::string known = LongNameOf(code);
  if (result == ':') return "option '" + known + "' requires an argument";
  if (!known.empty()) return "option '" + known + "' doesn't allow an argument";
  if (code != 0)
    return std::string("invalid option -- '") + static_cast<char>(code) + "'";
  return UnknownLongOption(argument);
}

CompareArguments WithCommand(CompareArguments result, CompareCommand command,
                             const std::string& error = std::string()) {
  result.command = command;
  result.error = error;
  return result;
}

// The files, and what the options say together.
CompareArguments Conclude(CompareArguments result,
                          const std::vector<std::string>& files) {
  if (files.size() != 2)
    return WithCommand(result, CompareCommand::BadUsage,
                       files.size() < 2 ? "missing file: give REFERENCE and "
                                          "OUTPUT"
                                        : "extra file '" + files[2] +
                                              "': give REFERENCE and OUTPUT");
  if (files[0] == kStandardInputName && files[1] == kStandardInputName)
    return WithCommand(result, CompareCommand::BadUsage,
                       "standard input ('-') can stand for one file only");
  CompareOptions& options = result.options;
  if (options.HasToleranceBounds() && options.realNames.empty() &&
      !options.realAllNumeric)
    return WithCommand(result, CompareCommand::BadUsage,
                       "--abs-tolerance and --rel-tolerance apply to real "
                       "attributes: give --real NAME or --real-all-numeric");
  options.referencePath = files[0];
  options.outputPath = files[1];
  return WithCommand(result, CompareCommand::Compare);
}

}  // namespace

CompareArguments ParseCompareArguments(const std::vector<std::string>& args) {
  std::vector<std::string> words{"visuxml-compare"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);
  const int argc = static_cast<int>(words.size());

  CompareArguments result;
  // optind 0 makes getopt_long start afresh, as each parse must.
  optind = 0;
  opterr = 0;
  int code = 0;
  while ((code = getopt_long(argc, argv.data(), kShortOptions, kLongOptions,
                             nullptr)) != -1) {
    switch (code) {
      case 'h':
        return WithCommand(result, CompareCommand::ShowHelp);
      case 'V':
        return WithCommand(result, CompareCommand::ShowVersion);
      case 'q':
        result.options.quiet = true;
        break;
      case 's':
        result.options.reportIdentical = true;
        break;
      case 'n':
        result.options.realAllNumeric = true;
        break;
      case '?':
      case ':':
        return WithCommand(result, CompareCommand::BadUsage,
                           Refusal(code, optopt, argv[optind - 1]));
      default: {
        const std::string error = StoreValue(code, optarg, result.options);
        if (!error.empty())
          return WithCommand(result, CompareCommand::BadUsage, error);
      }
    }
  }
  return Conclude(
      result, std::vector<std::string>(argv.begin() + optind, argv.end() - 1));
}
