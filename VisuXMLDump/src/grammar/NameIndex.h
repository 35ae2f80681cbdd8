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
      if (_pMap == nullptr) _pMap = new Table();
      _pMap->map[Key(name)] = record;
      _pMap->ForgetRecent();
    } catch (const std::bad_alloc&) {
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
    Recent& recent = _pMap->RecentFor(name.GetText());
    if (recent.record != nullptr && *recent.name == name.GetText()) {
      *record = recent.record;
      return true;
    }
    try {
      const auto found = _pMap->map.find(Key(name));
      if (found == _pMap->map.end()) return true;
      *record = found->second;
      recent.name = &found->first;
      recent.record = found->second;
      return true;
    } catch (const std::bad_alloc&) {
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

  // A name found lately, answered again without hashing: a stream asks for
  // the same few names over and over. The name is the map's own key, which
  // stays in place until the map goes.
  struct Recent {
    const std::string* name = nullptr;
    Record* record = nullptr;
  };

  struct Table {
    static constexpr std::size_t kRecentSlots = 64;

    Recent& RecentFor(const std::string& name) {
      std::size_t hash = 2166136261u;
      for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
      return recent[hash % kRecentSlots];
    }
    void ForgetRecent() {
      for (Recent& entry : recent) entry.record = nullptr;
    }

    Map map;
    Recent recent[kRecentSlots];
  };

  // Names are equal exactly when their bytes are (MOKUnicodeString::Compare).
  static std::string Key(const MOKUnicodeString& name) {
    return std::string(static_cast<const char*>(name),
                       static_cast<std::size_t>(name.GetLengthInByte()));
  }

  Table* _pMap = nullptr;
  bool _Usable = true;
};

#endif
