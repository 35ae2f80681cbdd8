#include "MOKDialog.h"

#include "DelayedDestructionQueue.h"

MOKDialog::MOKDialog(MOKDialog* parent, const MOKString& name)
    : _pParent(parent), _Name(name), _Visibility(0) {}

MOKDialog::~MOKDialog() = default;

void MOKDialog::SetVisibility(unsigned long visibility) {
  _Visibility = visibility;
}

unsigned long MOKDialog::GetVisibility() const { return _Visibility; }

void MOKDialog::RequestDelayedDestruction() {
  DelayedDestructionQueue::Request(this);
}

MOKDialog* MOKDialog::GetParent() const { return _pParent; }

const char* MOKDialog::GetName() const { return _Name; }
