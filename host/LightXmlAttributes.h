#ifndef LightXmlAttributes_h
#define LightXmlAttributes_h

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "LightXmlNamePool.h"
#include "MOKUnicodeString.h"

class LightXmlArena;

// The attributes of an element in one block: eight bytes per attribute
// (the index of its shared name, where its value ends), then the values'
// bytes one after the other. A block is shared between copies of an element
// and copied only when one of them changes (see Unshared): a deep copy of a
// tree costs no attribute copy.
//
// Values are kept as bytes; the MOKUnicodeString form that references are
// handed out for is built on first demand, once for the whole block.
//
// The reader makes its blocks in the document's arena (see LightXmlArena),
// which each block holds until its last holder lets it go. Their entries
// borrow their names from the arena, and they are never changed in place:
// a change makes a copy on the heap, as for a shared block.
class LightXmlAttributes {
 public:
  // A new block with room for that many entries and value bytes. Throws
  // std::bad_alloc when memory runs out.
  static LightXmlAttributes* Create(std::size_t entries, std::size_t bytes);
  // The same in the arena, to be filled with Fill and names the arena
  // keeps.
  static LightXmlAttributes* CreateInArena(std::size_t entries,
                                           std::size_t bytes,
                                           LightXmlArena* arena);
  // Appends an entry to a block made in an arena, within its room.
  void Fill(const LightXmlName* name, const char* value, std::size_t length) {
    std::memcpy(Bytes() + _ByteCount, value, length);
    _ByteCount += static_cast<std::uint32_t>(length);
    Entries()[_Count++] = Entry{LightXmlNamePool::IndexOf(name), _ByteCount};
  }
  // One more holder of the block.
  static LightXmlAttributes* Share(LightXmlAttributes* block);
  // One holder less; the last one frees the block.
  static void Release(LightXmlAttributes* block) {
    if (block != nullptr && --block->_References == 0) Free(block);
  }
  // The block itself when it has a single holder, otherwise a private copy
  // that replaces the holder's reference (with room for one more entry).
  static LightXmlAttributes* Unshared(LightXmlAttributes*& block);

  std::size_t Count() const { return _Count; }
  // The pool's index of the name of an attribute (see LightXmlNamePool);
  // the name is null when empty.
  std::uint32_t NameIndex(std::size_t index) const {
    return Entries()[index].name;
  }
  LightXmlName* Name(std::size_t index) const {
    return LightXmlNamePool::ByIndex(Entries()[index].name);
  }
  const char* ValueData(std::size_t index) const {
    return Bytes() + Start(index);
  }
  std::size_t ValueLength(std::size_t index) const {
    return Entries()[index].end - Start(index);
  }
  // The value's bytes; *length receives their count.
  const char* Value(std::size_t index, std::size_t* length) const {
    const std::uint32_t start = Start(index);
    *length = Entries()[index].end - start;
    return Bytes() + start;
  }
  // Position of the named attribute, or Count() when absent.
  std::size_t Find(const char* name, std::size_t length) const;
  // The value as a string, valid while the block lives unchanged.
  const MOKUnicodeString& Value(std::size_t index) const;

  // Appends an entry; the block may move (block is updated). The name
  // reference is taken over.
  static void Append(LightXmlAttributes*& block, LightXmlName* name,
                     const char* value, std::size_t length);
  // Replaces the value of an entry; a shared block is copied first, and the
  // block may move (block is updated).
  static void Replace(LightXmlAttributes*& block, std::size_t index,
                      const char* value, std::size_t length);
  // Makes room for that many more entries and bytes (the block may move).
  static void Reserve(LightXmlAttributes*& block, std::size_t entries,
                      std::size_t bytes);
  // Removes an entry (the block may be copied first when shared).
  static void Remove(LightXmlAttributes*& block, std::size_t index);

 private:
  struct Entry {
    std::uint32_t name;
    // The value's bytes run from the previous entry's end to this one.
    std::uint32_t end;
  };

  LightXmlAttributes() = default;
  ~LightXmlAttributes();
  static void Free(LightXmlAttributes* block);
  static LightXmlAttributes* Allocate(std::size_t entries, std::size_t bytes,
                                      LightXmlArena* arena);
  // True when the block may change in place.
  bool IsOwnedAlone() const { return _References == 1 && _pArena == nullptr; }
  static LightXmlAttributes* Target(LightXmlAttributes* block,
                                    std::size_t entries, std::size_t bytes);
  static void Commit(LightXmlAttributes*& block, LightXmlAttributes* target);
  static LightXmlAttributes* Grown(LightXmlAttributes* block,
                                   std::size_t entries, std::size_t bytes);
  Entry* Entries() const {
    return reinterpret_cast<Entry*>(const_cast<LightXmlAttributes*>(this) + 1);
  }
  char* Bytes() const {
    return reinterpret_cast<char*>(Entries() + _EntryCapacity);
  }
  std::uint32_t Start(std::size_t index) const {
    return index == 0 ? 0 : Entries()[index - 1].end;
  }
  // Moves the bytes after the value of the entry so that the value takes
  // length bytes, and updates the ends (room must be there).
  void ResizeValue(std::size_t index, std::size_t length);
  void DropValues() const;

  std::uint32_t _References = 1;
  std::uint32_t _Count = 0;
  std::uint32_t _EntryCapacity = 0;
  std::uint32_t _ByteCount = 0;
  std::uint32_t _ByteCapacity = 0;
  mutable MOKUnicodeString* _pValues = nullptr;
  // Null on the heap; in an arena, the names are the arena's.
  LightXmlArena* _pArena = nullptr;
};

#endif
