#include "DelayedDestructionQueue.h"

#include <algorithm>
#include <vector>

#include "MOKBaseUnknown.h"

namespace {

// Never destroyed, so objects that outlive static destruction (globals of
// other libraries) can still withdraw themselves safely.
std::vector<MOKBaseUnknown*>& Pending() {
  static auto* pending = new std::vector<MOKBaseUnknown*>();
  return *pending;
}

}  // namespace

namespace DelayedDestructionQueue {

void Request(MOKBaseUnknown* object) {
  if (object == nullptr) return;
  std::vector<MOKBaseUnknown*>& pending = Pending();
  if (std::find(pending.begin(), pending.end(), object) == pending.end())
    pending.push_back(object);
}

void Withdraw(const MOKBaseUnknown* object) {
  std::vector<MOKBaseUnknown*>& pending = Pending();
  pending.erase(std::remove(pending.begin(), pending.end(), object),
                pending.end());
}

int Flush() {
  int deleted = 0;
  std::vector<MOKBaseUnknown*>& pending = Pending();
  // Taken from the front one at a time: a destructor may queue or withdraw
  // other objects while this loop runs.
  while (!pending.empty()) {
    MOKBaseUnknown* object = pending.front();
    pending.erase(pending.begin());
    delete object;
    ++deleted;
  }
  return deleted;
}

}  // namespace DelayedDestructionQueue
