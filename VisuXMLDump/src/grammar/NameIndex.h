#ifndef NameIndex_h
#define NameIndex_h

#include <new>
#include <string>
#include <unordered_map>

#include "MOKUnicodeString.h"

// A hash index from names to the records of a registry list, kept beside the
// list so that a lookup costs the same with ten or ten thousand declarations.
// The list stays the owner and the authority: when the index cannot keep up
// (memory ran out), it declares itself unusable and callers walk the list
// until the registry is emptied.
//
// The map lives on the heap and is released when the registry is emptied,
// so a static NameIndex needs no destruction at process exit and may be
// used by other statics' destructors.
template <typename Record>
class NameIndex {
 public:
  constexpr NameIndex() = default;

  // Records the name of a newly declared record; a newer record wins.
  void Insert(const MOKUnicodeString& name, Record* record) noexcept {
    if (!_Usable) return;
    try {
      if (_pMap == nullptr) _pMap = new Map();
      (*_pMap)[Key(name)] = record;
    } catch (...) {
      Clear();
      _Usable = false;
    }
  }

  // True when the index could answer; *record is then the record of that
  // name, or null when none is declared. False means: walk the list.
  bool Lookup(const MOKUnicodeString& name, Record** record) const noexcept {
    if (!_Usable) return false;
    *record = nullptr;
    if (_pMap == nullptr) return true;
    try {
      const auto found = _pMap->find(Key(name));
      if (found != _pMap->end()) *record = found->second;
      return true;
    } catch (...) {
      return false;
    }
  }

  // Forgets every name; the index is usable again for a fresh registry.
  void Clear() noexcept {
    delete _pMap;
    _pMap = nullptr;
    _Usable = true;
  }

 private:
  using Map = std::unordered_map<std::string, Record*>;

  // Names are equal exactly when their bytes are (MOKUnicodeString::Compare).
  static std::string Key(const MOKUnicodeString& name) {
    return std::string(static_cast<const char*>(name),
                       static_cast<std::size_t>(name.GetLengthInByte()));
  }

  Map* _pMap = nullptr;
  bool _Usable = true;
};

#endif
