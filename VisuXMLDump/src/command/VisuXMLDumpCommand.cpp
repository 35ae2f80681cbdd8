#include "VisuXMLDumpCommand.h"

#include "VisuXMLDumpControler.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLNoThrow.h"

namespace {

// The host queues the request, which takes memory; when none is left the
// command stays until the host cancels it again.
void RequestEnd(MOKCommand& command) {
  VisuXMLGuard(false, [&command]() {
    command.RequestDelayedDestruction();
    return true;
  });
}

}  // namespace

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

// A dump that runs out of memory ends the command like one that could not
// start. Only that is caught: the client's other exceptions are its own.
MOKStatusChangeRC VisuXMLDumpCommand::Activate(MOKCommand*, MOKNotification*) {
  const bool running = VisuXMLGuard(false, [this]() {
    if (CheckDumpContext() != 0) return false;
    _pDumpControler = GetDumpControler();
    if (_pDumpControler == nullptr ||
        _pDumpControler->InitializeControler() != 0)
      return false;
    RunDump();
    return true;
  });
  if (!running) RequestEnd(*this);
  return 0;
}

MOKStatusChangeRC VisuXMLDumpCommand::Desactivate(MOKCommand*,
                                                  MOKNotification*) {
  return 0;
}

MOKStatusChangeRC VisuXMLDumpCommand::Cancel(MOKCommand*, MOKNotification*) {
  RequestEnd(*this);
  return 0;
}

void VisuXMLDumpCommand::DestroyVisuXMLDumpCommand() {
  RequestDelayedDestruction();
}

MOKCommandMode VisuXMLDumpCommand::GetStartingMode() {
  return VisuXMLDumpVersion::GetVersionNumber() <= 2 ? 1 : 3;
}
