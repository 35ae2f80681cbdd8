// visuxml-approve: makes the outputs of a failed replay the new references.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "Approval.h"
#include "ApproveOptions.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const ApproveArguments arguments =
      ParseApproveArguments(std::vector<std::string>(argv + 1, argv + argc));
  switch (arguments.command) {
    case ApproveCommand::ShowHelp:
      std::cout << ApproveUsageText();
      return ApproveDone;
    case ApproveCommand::ShowVersion:
      std::cout << "visuxml-approve " << VISUXML_VERSION << "\n";
      return ApproveDone;
    case ApproveCommand::BadUsage:
      std::cerr << "visuxml-approve: " << arguments.error << "\n"
                << "Try 'visuxml-approve --help' for more information.\n";
      return ApproveTrouble;
    default:
      break;
  }
  try {
    const int status = RunApproval(arguments.options, std::cout, std::cerr);
    std::cout.flush();
    return status;
  } catch (const std::bad_alloc&) {
    std::cerr << "visuxml-approve: out of memory\n";
    return ApproveTrouble;
  }
}
