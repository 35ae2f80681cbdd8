#include "SceneDumpCommand.h"

SceneDumpCommand::SceneDumpCommand(SceneDumpControler& controler,
                                   MOKDialog* parent)
    : VisuXMLDumpCommand("SceneDumpCommand"),
      _Controler(controler),
      _pParent(parent) {}

int SceneDumpCommand::CheckDumpContext() { return 0; }

VisuXMLDumpControler* SceneDumpCommand::GetDumpControler() {
  return &_Controler;
}

// Activate has run InitializeControler, hence DumpXML: finish the dump and
// tell the user how it went.
void SceneDumpCommand::RunDump() {
  VisuXMLError result = _Controler.FinishDump();
  EndDump(_pParent, result == 0 ? 1 : 0);
}
