#ifndef AttributeNameIndex_h
#define AttributeNameIndex_h

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <new>

#include "MOKUnicodeString.h"

// Byte order of two names, shorter first on a common prefix: a total order
// under which equal names are exactly those that Compare calls equal.
inline int CompareNameBytes(const MOKUnicodeString& first,
                            const MOKUnicodeString& second) {
  const std::size_t firstLength =
      static_cast<std::size_t>(first.GetLengthInByte());
  const std::size_t secondLength =
      static_cast<std::size_t>(second.GetLengthInByte());
  const std::size_t common = std::min(firstLength, secondLength);
  const int bytes = common == 0
                        ? 0
                        : std::memcmp(static_cast<const char*>(first),
                                      static_cast<const char*>(second), common);
  if (bytes != 0) return bytes;
  if (firstLength == secondLength) return 0;
  return firstLength < secondLength ? -1 : 1;
}

// Finds, by name, the first entry of a chain not yet taken from the index,
// in O(log n) per look-up instead of a walk of the chain. The entries must
// be one block in chain order (as NewChainBlock makes them), so that their
// addresses give their order; each look-up takes the entry it returns, so
// the entries of one name are handed out in chain order, each once.
template <typename Entry>
class AttributeNameIndex {
 public:
  AttributeNameIndex()
      : _pSlots(nullptr), _uiCount(0), _HasRepeatedName(false) {}
  AttributeNameIndex(const AttributeNameIndex&) = delete;
  AttributeNameIndex& operator=(const AttributeNameIndex&) = delete;
  ~AttributeNameIndex() { delete[] _pSlots; }

  // Indexes the count entries from head on; false, leaving the index
  // empty, when memory runs out.
  bool Build(Entry* head, std::size_t count) {
    _pSlots = new (std::nothrow) Slot[count];
    if (_pSlots == nullptr) return false;
    _uiCount = count;
    for (std::size_t i = 0; i < count; ++i, head = head->_pNext)
      _pSlots[i].entry = head;
    std::sort(_pSlots, _pSlots + count, &AttributeNameIndex::SlotBefore);
    for (std::size_t i = 1; i < count && !_HasRepeatedName; ++i)
      _HasRepeatedName = SameName(i - 1, i);
    return true;
  }

  // True once Build has succeeded.
  bool IsBuilt() const { return _pSlots != nullptr; }

  // True when two indexed entries carry the same name.
  bool HasRepeatedName() const { return _HasRepeatedName; }

  // Takes the first entry of that name not taken yet, or null.
  Entry* Take(const MOKUnicodeString& name) {
    const Slot* found = std::lower_bound(_pSlots, _pSlots + _uiCount, name,
                                         &AttributeNameIndex::SlotNameBefore);
    const std::size_t group = static_cast<std::size_t>(found - _pSlots);
    if (group == _uiCount) return nullptr;
    const std::size_t next = group + _pSlots[group].taken;
    if (next == _uiCount ||
        CompareNameBytes(*_pSlots[next].entry->_pName, name) != 0)
      return nullptr;
    ++_pSlots[group].taken;
    return _pSlots[next].entry;
  }

 private:
  // One entry; on the first slot of a name, also how many entries of that
  // name have been taken, which are always the first ones of the group.
  struct Slot {
    Entry* entry = nullptr;
    std::size_t taken = 0;
  };

  static bool SlotBefore(const Slot& first, const Slot& second) {
    const int names =
        CompareNameBytes(*first.entry->_pName, *second.entry->_pName);
    return names != 0 ? names < 0
                      : std::less<Entry*>()(first.entry, second.entry);
  }

  static bool SlotNameBefore(const Slot& slot, const MOKUnicodeString& name) {
    return CompareNameBytes(*slot.entry->_pName, name) < 0;
  }

  bool SameName(std::size_t first, std::size_t second) const {
    return CompareNameBytes(*_pSlots[first].entry->_pName,
                            *_pSlots[second].entry->_pName) == 0;
  }

  Slot* _pSlots;
  std::size_t _uiCount;
  bool _HasRepeatedName;
};

#endif
