#ifndef SceneDumpCommand_h
#define SceneDumpCommand_h

#include "MOKDialog.h"
#include "SceneDumpControler.h"
#include "VisuXMLDumpCommand.h"

// The demo's interactive dump command: one dump of the scene through the
// given controller, then the notification on the parent dialog. Allocate
// it with new; it asks for its own destruction.
class SceneDumpCommand : public VisuXMLDumpCommand {
 public:
  SceneDumpCommand(SceneDumpControler& controler, MOKDialog* parent);

  int CheckDumpContext() override;
  VisuXMLDumpControler* GetDumpControler() override;
  void RunDump() override;

 private:
  SceneDumpControler& _Controler;
  MOKDialog* _pParent;
};

#endif
