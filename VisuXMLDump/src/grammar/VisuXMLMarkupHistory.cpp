#include "VisuXMLMarkupHistory.h"

#include <memory>
#include <new>

#include "KeptMemory.h"

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

void* VisuXMLMarkupHistory::operator new(std::size_t size,
                                         const std::nothrow_t&) noexcept {
  return KeptMemory<VisuXMLMarkupHistory>::Take(size);
}

void VisuXMLMarkupHistory::operator delete(void* memory) noexcept {
  KeptMemory<VisuXMLMarkupHistory>::Give(memory);
}

// Called when a constructor throws inside a nothrow new.
void VisuXMLMarkupHistory::operator delete(void* memory,
                                           const std::nothrow_t&) noexcept {
  KeptMemory<VisuXMLMarkupHistory>::Give(memory);
}

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
  // Held here until complete: copying the instance's names may throw.
  std::unique_ptr<VisuXMLMarkupHistory> entry(new (std::nothrow)
                                                  VisuXMLMarkupHistory);
  if (entry == nullptr) return nullptr;
  VisuXMLMarkup* const instance = new (std::nothrow) VisuXMLMarkup(declared);
  if (instance == nullptr) return nullptr;
  if (!IsCompleteCopy(instance->_uiNbAttributeLinks,
                      declared._uiNbAttributeLinks) ||
      !IsCompleteCopy(instance->_uiNbSubMarkupLinks,
                      declared._uiNbSubMarkupLinks)) {
    DestroyInstance(instance);
    return nullptr;
  }
  entry->_pMarkupInstance = instance;
  return entry.release();
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

VisuXMLMarkupHistory* VisuXMLMarkupHistory::PopTop() {
  VisuXMLMarkupHistory* const entry = Top();
  if (entry == nullptr) return nullptr;
  VisuXMLMarkup::_suiNbMarkupLevels -= 1;
  VisuXMLMarkup::_sppMarkupHistory[VisuXMLMarkup::_suiNbMarkupLevels] = nullptr;
  return entry;
}

MOKUnicodeString VisuXMLMarkupHistory::DescribeOpenMarkups() {
  MOKUnicodeString names;
  for (std::uint32_t i = 0; i < VisuXMLMarkup::_suiNbMarkupLevels; ++i) {
    const VisuXMLMarkupHistory* entry = VisuXMLMarkup::_sppMarkupHistory[i];
    if (i > 0) names += "/";
    if (entry != nullptr && entry->_pMarkupInstance != nullptr)
      names += entry->_pMarkupInstance->_Name;
  }
  return names;
}

VisuXMLClosingEntry::~VisuXMLClosingEntry() {
  Detach();
  VisuXMLMarkupHistory::Release(_pEntry);
}

void VisuXMLClosingEntry::Detach() {
  if (_Detached || _pEntry == nullptr) return;
  _Detached = true;
  if (VisuXMLMarkupHistory::Top() == _pEntry) VisuXMLMarkupHistory::PopTop();
}
