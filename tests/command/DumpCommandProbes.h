#ifndef DumpCommandProbes_h
#define DumpCommandProbes_h

#include "MOKUnicodeString.h"
#include "VisuXMLDumpCommand.h"
#include "VisuXMLDumpControler.h"

// What a test command saw of its own life; outlives the command.
struct CommandProbe {
  int contextChecks = 0;
  int controlerRequests = 0;
  int dumpsRun = 0;
  int destroyed = 0;
};

// A controller whose dump writes nothing and returns a chosen result.
class ProbeControler : public VisuXMLDumpControler {
 public:
  explicit ProbeControler(VisuXMLError dumpResult) : _DumpResult(dumpResult) {}
  VisuXMLError DumpXML() override { return _DumpResult; }
  MOKUnicodeString GetXMLDumpName() override { return "CommandProbe"; }

 private:
  VisuXMLError _DumpResult;
};

// A concrete dump command whose answers the test chooses and whose calls it
// records in a probe.
class ProbeDumpCommand : public VisuXMLDumpCommand {
 public:
  ProbeDumpCommand(CommandProbe& probe, int contextResult,
                   VisuXMLDumpControler* controler)
      : VisuXMLDumpCommand("ProbeDumpCommand"),
        _Probe(probe),
        _ContextResult(contextResult),
        _pControler(controler) {}
  ProbeDumpCommand(const ProbeDumpCommand& other) = default;
  ~ProbeDumpCommand() override { ++_Probe.destroyed; }

  int CheckDumpContext() override {
    ++_Probe.contextChecks;
    return _ContextResult;
  }
  VisuXMLDumpControler* GetDumpControler() override {
    ++_Probe.controlerRequests;
    return _pControler;
  }
  void RunDump() override { ++_Probe.dumpsRun; }

  VisuXMLDumpControler* CurrentControler() const { return _pDumpControler; }
  void FinishDump(MOKDialog* parent, unsigned char success) {
    EndDump(parent, success);
  }
  void Destroy() { DestroyVisuXMLDumpCommand(); }

 private:
  CommandProbe& _Probe;
  int _ContextResult;
  VisuXMLDumpControler* _pControler;
};

#endif
