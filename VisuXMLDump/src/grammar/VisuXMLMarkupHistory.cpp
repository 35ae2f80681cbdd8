#include "VisuXMLMarkupHistory.h"

#include <new>

namespace {

// The stack grows (and starts) by this many slots.
constexpr std::uint32_t kHistoryGrowth = 10;

// An instance whose tables could not all be copied would silently stream
// another grammar, so it counts as not allocated.
bool IsCompleteCopy(const std::uint32_t copiedCount,
                    const std::uint32_t declaredCount) {
  return copiedCount == declaredCount;
}

}  // namespace

VisuXMLMarkupHistory::VisuXMLMarkupHistory()
    : _pMarkupInstance(nullptr), _pCurrentInChain(nullptr), _ErrorPending(0) {}

VisuXMLMarkupHistory::~VisuXMLMarkupHistory() {
  _pMarkupInstance = nullptr;
  _pCurrentInChain = nullptr;
}

VisuXMLMarkupHistory* VisuXMLMarkupHistory::Top() {
  if (VisuXMLMarkup::_sppMarkupHistory == nullptr ||
      VisuXMLMarkup::_suiNbMarkupLevels == 0) {
    return nullptr;
  }
  return VisuXMLMarkup::_sppMarkupHistory[VisuXMLMarkup::_suiNbMarkupLevels -
                                          1];
}

bool VisuXMLMarkupHistory::MakeRoom() {
  VisuXMLMarkupHistory** const old = VisuXMLMarkup::_sppMarkupHistory;
  const std::uint32_t size =
      old == nullptr ? 0 : VisuXMLMarkup::_suiSizeOfMarkupHistory;
  if (old != nullptr && VisuXMLMarkup::_suiNbMarkupLevels < size) return true;
  const std::uint32_t newSize = size + kHistoryGrowth;
  VisuXMLMarkupHistory** const grown =
      new (std::nothrow) VisuXMLMarkupHistory*[newSize];
  if (grown == nullptr) return false;
  for (std::uint32_t i = 0; i < newSize; ++i) {
    grown[i] = i < size ? old[i] : nullptr;
  }
  delete[] old;
  VisuXMLMarkup::_sppMarkupHistory = grown;
  VisuXMLMarkup::_suiSizeOfMarkupHistory = newSize;
  return true;
}

VisuXMLMarkupHistory* VisuXMLMarkupHistory::CreateFor(
    const VisuXMLMarkup& declared) {
  VisuXMLMarkupHistory* const entry = new (std::nothrow) VisuXMLMarkupHistory;
  if (entry == nullptr) return nullptr;
  VisuXMLMarkup* const instance = new (std::nothrow) VisuXMLMarkup(declared);
  if (instance == nullptr) {
    delete entry;
    return nullptr;
  }
  if (!IsCompleteCopy(instance->_uiNbAttributeLinks,
                      declared._uiNbAttributeLinks) ||
      !IsCompleteCopy(instance->_uiNbSubMarkupLinks,
                      declared._uiNbSubMarkupLinks)) {
    DestroyInstance(instance);
    delete entry;
    return nullptr;
  }
  entry->_pMarkupInstance = instance;
  return entry;
}

void VisuXMLMarkupHistory::DestroyInstance(VisuXMLMarkup* instance) {
  if (instance == nullptr) return;
  instance->CleanUpAttributes();
  delete instance;
}

void VisuXMLMarkupHistory::Release(VisuXMLMarkupHistory* entry) {
  if (entry == nullptr) return;
  DestroyInstance(entry->_pMarkupInstance);
  delete entry;
}
