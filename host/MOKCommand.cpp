#include "MOKCommand.h"

#include "DelayedDestructionQueue.h"
#include "MOKMetaClass.h"

MOKMetaClass* MOKCommand::meta_object = nullptr;

MOKCommand::MOKCommand(const MOKString& name, MOKCommandMode mode)
    : _Name(name), _Mode(mode) {}

// Pending destructions are kept by object, so a copy never inherits one.
MOKCommand::MOKCommand(const MOKCommand& other) = default;

MOKCommand& MOKCommand::operator=(const MOKCommand& other) = default;

MOKCommand::~MOKCommand() = default;

MOKMetaClass* MOKCommand::MetaObject() {
  if (meta_object == nullptr) {
    meta_object =
        fct_RetrieveMetaObject("MOKCommand", 1, MOKBaseUnknown::MetaObject(),
                               "MOKNull", "MOKHost", sizeof(MOKCommand));
  }
  return meta_object;
}

MOKMetaClass* MOKCommand::GetMetaObject() const { return MetaObject(); }

MOKStatusChangeRC MOKCommand::Activate(MOKCommand*, MOKNotification*) {
  return 0;
}

MOKStatusChangeRC MOKCommand::Desactivate(MOKCommand*, MOKNotification*) {
  return 0;
}

MOKStatusChangeRC MOKCommand::Cancel(MOKCommand*, MOKNotification*) {
  RequestDelayedDestruction();
  return 0;
}

void MOKCommand::RequestDelayedDestruction() {
  DelayedDestructionQueue::Request(this);
}

MOKCommandMode MOKCommand::GetMode() const { return _Mode; }

const char* MOKCommand::GetName() const { return _Name; }

int MOKCommand::FlushDelayedDestructions() {
  return DelayedDestructionQueue::Flush();
}
