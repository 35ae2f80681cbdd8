#include "DemoOptions.h"

#include <cmath>
#include <cstdlib>

namespace {

const int kMaximumDumps = 1000;

const char kUsage[] =
    "Usage: visuxml-demo [--perturb FRACTION] [--dumps N] [--break]\n"
    "Dumps a small visualisation scene through an interactive dump command.\n"
    "The run mode, directories and test case come from the environment\n"
    "(MOK_RECORD_MODE, MOK_RECORD_FILE, TRQ_LOG_NAME, KVB_TRQ_REF,\n"
    "KVB_TRQ_OUT, MOKTemp, UpdateVisuXMLDump, VISU_XML_DUMP_VERSION).\n"
    "\n"
    "  --perturb FRACTION  scale every transform entry by (1 + FRACTION)\n"
    "  --dumps N           dump the scene N times, moving it in between\n"
    "  --break             break the grammar once (a Light without Colour)\n"
    "  --help              show this text\n";

bool ReadNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && std::isfinite(value);
}

std::string ReadPerturbation(const std::string& text, DemoOptions& options) {
  if (!ReadNumber(text, options.perturbation) || options.perturbation <= -1.0)
    return "--perturb needs a number above -1, not '" + text + "'";
  return std::string();
}

std::string ReadDumps(const std::string& text, DemoOptions& options) {
  double dumps = 0.0;
  if (!ReadNumber(text, dumps) || dumps != std::floor(dumps) || dumps < 1 ||
      dumps > kMaximumDumps)
    return "--dumps needs a whole number from 1 to 1000, not '" + text + "'";
  options.dumps = static_cast<int>(dumps);
  return std::string();
}

}  // namespace

std::string ParseDemoOptions(const std::vector<std::string>& args,
                             DemoOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string error;
    if (arg == "--help" || arg == "-h") {
      options.showHelp = true;
    } else if (arg == "--break") {
      options.breakGrammar = true;
    } else if (arg != "--perturb" && arg != "--dumps") {
      error = "unknown argument '" + arg + "'";
    } else if (i + 1 == args.size()) {
      error = arg + " needs a value";
    } else if (arg == "--perturb") {
      error = ReadPerturbation(args[++i], options);
    } else {
      error = ReadDumps(args[++i], options);
    }
    if (!error.empty()) return error;
  }
  return std::string();
}

const char* DemoUsageText() { return kUsage; }
