#include "ApproveOptions.h"

#include <getopt.h>

namespace {

const char kShortOptions[] = ":nfhV";

const struct option kLongOptions[] = {{"dry-run", no_argument, nullptr, 'n'},
                                      {"force", no_argument, nullptr, 'f'},
                                      {"help", no_argument, nullptr, 'h'},
                                      {"version", no_argument, nullptr, 'V'},
                                      {nullptr, 0, nullptr, 0}};

const char kUsage[] =
    "Usage: visuxml-approve [OPTION]... REF_DIR OUT_DIR [SELECTOR]...\n"
    "Approves the outputs a failed replay left in OUT_DIR: each selected\n"
    "NAME_Out_N.xml replaces NAME_Ref_N.xml in REF_DIR, whole, then it and\n"
    "its error report NAME_Error_N.xml are removed. A SELECTOR is a shell\n"
    "pattern matched against NAME_N (such as DemoCase_Scene_2 or\n"
    "'DemoCase_*'); without one, every output is approved. Prints one line\n"
    "per approval.\n"
    "\n"
    "  -n, --dry-run   print what would be approved; change nothing\n"
    "  -f, --force     approve outputs holding VisuXMLError elements too\n"
    "  -h, --help      show this text\n"
    "  -V, --version   show the version\n"
    "\n"
    "Nothing is changed when a selected output holds a VisuXMLError element\n"
    "(without --force), cannot be read, or does not have an output's name,\n"
    "or when a selector matches no output.\n"
    "Exit status: 0 approved (or nothing to approve), 2 trouble.\n"
    "See visuxml-approve(1).\n";

ApproveArguments WithCommand(ApproveArguments result, ApproveCommand command,
                             const std::string& error = std::string()) {
  result.command = command;
  result.error = error;
  return result;
}

// Says what getopt_long refused: no option here takes a value.
std::string Refusal(int code, const std::string& word) {
  if (word.compare(0, 2, "--") != 0)
    return std::string("invalid option -- '") + static_cast<char>(code) + "'";
  const std::string::size_type equals = word.find('=');
  if (equals != std::string::npos)
    return "option '" + word.substr(0, equals) + "' doesn't allow an argument";
  return "unrecognized option '" + word + "'";
}

}  // namespace

ApproveArguments ParseApproveArguments(const std::vector<std::string>& args) {
  std::vector<std::string> words{"visuxml-approve"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);

  ApproveArguments result;
  // optind 0 makes getopt_long start afresh, as each parse must.
  optind = 0;
  opterr = 0;
  int code = 0;
  while ((code = getopt_long(static_cast<int>(words.size()), argv.data(),
                             kShortOptions, kLongOptions, nullptr)) != -1) {
    switch (code) {
      case 'h':
        return WithCommand(result, ApproveCommand::ShowHelp);
      case 'V':
        return WithCommand(result, ApproveCommand::ShowVersion);
      case 'n':
        result.options.dryRun = true;
        break;
      case 'f':
        result.options.force = true;
        break;
      default:
        return WithCommand(result, ApproveCommand::BadUsage,
                           Refusal(optopt, argv[optind - 1]));
    }
  }
  const std::vector<std::string> rest(argv.begin() + optind, argv.end() - 1);
  if (rest.size() < 2)
    return WithCommand(result, ApproveCommand::BadUsage,
                       "missing directory: give REF_DIR and OUT_DIR");
  result.options.referenceDirectory = rest[0];
  result.options.outputDirectory = rest[1];
  result.options.selectors.assign(rest.begin() + 2, rest.end());
  return WithCommand(result, ApproveCommand::Approve);
}

const char* ApproveUsageText() { return kUsage; }
