#include "VisuXMLDumpCommand.h"

#include "VisuXMLDumpControler.h"
#include "VisuXMLDumpVersion.h"

VisuXMLDumpCommand::VisuXMLDumpCommand(const MOKString& name)
    : MOKCommand(name, GetStartingMode()), _pDumpControler(nullptr) {}

VisuXMLDumpCommand::VisuXMLDumpCommand(const VisuXMLDumpCommand& other)
    : MOKCommand(other), _pDumpControler(other._pDumpControler) {}

VisuXMLDumpCommand& VisuXMLDumpCommand::operator=(
    const VisuXMLDumpCommand& other) {
  MOKCommand::operator=(other);
  _pDumpControler = other._pDumpControler;
  return *this;
}

VisuXMLDumpCommand::~VisuXMLDumpCommand() { _pDumpControler = nullptr; }

MOKStatusChangeRC VisuXMLDumpCommand::Activate(MOKCommand*,
                                               MOKNotification*) {
  if (CheckDumpContext() == 0) {
    _pDumpControler = GetDumpControler();
    if (_pDumpControler != nullptr &&
        _pDumpControler->InitializeControler() == 0) {
      RunDump();
      return 0;
    }
  }
  RequestDelayedDestruction();
  return 0;
}

MOKStatusChangeRC VisuXMLDumpCommand::Desactivate(MOKCommand*,
                                                  MOKNotification*) {
  return 0;
}

MOKStatusChangeRC VisuXMLDumpCommand::Cancel(MOKCommand*, MOKNotification*) {
  RequestDelayedDestruction();
  return 0;
}

void VisuXMLDumpCommand::DestroyVisuXMLDumpCommand() {
  RequestDelayedDestruction();
}

MOKCommandMode VisuXMLDumpCommand::GetStartingMode() {
  return VisuXMLDumpVersion::GetVersionNumber() <= 2 ? 1 : 3;
}
