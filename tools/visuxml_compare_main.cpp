// visuxml-compare: compares two XML dumps the way a replay does, or every
// output of a replay's output directory with its reference.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "CompareOptions.h"
#include "CompareRun.h"
#include "DirectoryReview.h"
#include "MOKRecord.h"

namespace {

// Left for the end of the process to reclaim: freeing the trees element by
// element would add a tenth to the run. Held here, it is still reachable.
CompareSession* gSession = nullptr;

int Compare(const CompareOptions& options) {
  // The tool takes part in no capture or replay: its dump version comes
  // from its options or the environment, and it writes no record.
  MOKRecord::SetMain(nullptr);
  int status = CompareTrouble;
  try {
    if (AreDirectories(options)) {
      status = RunDirectoryReview(options, std::cout, std::cerr);
    } else {
      gSession = new CompareSession(options);
      status = RunCompare(*gSession, std::cout, std::cerr);
    }
  } catch (const std::bad_alloc&) {
    std::cerr << "visuxml-compare: out of memory\n";
    return CompareTrouble;
  }
  if (!std::cout.flush()) {
    std::cerr << "visuxml-compare: standard output: cannot be written\n";
    return CompareTrouble;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const CompareArguments arguments =
      ParseCompareArguments(std::vector<std::string>(argv + 1, argv + argc));
  switch (arguments.command) {
    case CompareCommand::ShowHelp:
      std::cout << CompareUsageText();
      return CompareSame;
    case CompareCommand::ShowVersion:
      std::cout << "visuxml-compare " << VISUXML_VERSION << "\n";
      return CompareSame;
    case CompareCommand::BadUsage:
      std::cerr << "visuxml-compare: " << arguments.error << "\n"
                << "Try 'visuxml-compare --help' for more information.\n";
      return CompareTrouble;
    default:
      return Compare(arguments.options);
  }
}
