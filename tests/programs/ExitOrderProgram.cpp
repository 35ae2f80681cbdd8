// A host program with cleanup of its own, an exit handler and a static
// object, whose replay fails: the process must end with 110 only after that
// cleanup has run. Usage: visuxml_exit_order DIRECTORY; the marks go to
// DIRECTORY/marks, the replay has no reference in DIRECTORY.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "VisuXMLDumpControler.h"
#include "VisuXMLMarkup.h"

namespace {

std::string gMarks;

void Mark(const char* text) {
  if (std::FILE* file = std::fopen(gMarks.c_str(), "a")) {
    std::fputs(text, file);
    std::fclose(file);
  }
}

struct StaticCleanup {
  ~StaticCleanup() { Mark("static destructor\n"); }
} gStaticCleanup;

void ExitHandler() { Mark("exit handler\n"); }

class ReplayedControler : public VisuXMLDumpControler {
 public:
  ReplayedControler() { _ForceReplayMode = 1; }
  MOKUnicodeString GetXMLDumpName() override { return "Exit"; }
  VisuXMLError DumpXML() override {
    VisuXMLMarkup::CreateXMLMarkup("Exit", VisuXMLRootMarkup);
    VisuXMLMarkup::OpenMarkup("Exit");
    return VisuXMLMarkup::CloseMarkup("Exit");
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  gMarks = std::string(argv[1]) + "/marks";
  ::setenv("KVB_TRQ_REF", argv[1], 1);
  ::setenv("KVB_TRQ_OUT", argv[1], 1);
  std::atexit(ExitHandler);
  ReplayedControler controler;
  VisuXMLError result = controler.InitializeControler();
  if (result == 0) result = controler.FinishXMLDump();
  // Left in the buffer of a redirected standard output: the exit flushes it.
  std::printf("replay result %u\n", result);
  return 0;
}
