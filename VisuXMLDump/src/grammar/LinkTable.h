#ifndef LinkTable_h
#define LinkTable_h

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "VisuXMLMarkup.h"

// Helpers for the flat link tables of a markup record. Entries are plain
// data and chain to each other by byte offsets, so a table is always moved
// or duplicated as one block.
namespace LinkTable {

using Entry = VisuXMLSubMarkupToMarkupLinks;

constexpr std::int32_t kEntrySize = static_cast<std::int32_t>(sizeof(Entry));

// Every offset between two entries of a table must fit the signed 32-bit
// offset fields, which bounds the number of entries of a sub-markup table.
constexpr std::uint32_t kMaxSubMarkupEntries = INT32_MAX / sizeof(Entry);

// An attribute table's count is an unsigned 32-bit field.
constexpr std::uint32_t kMaxAttributeEntries = UINT32_MAX;

// A new block of count + 1 entries holding the count old ones; the last is
// zeroed. Null when memory runs out; the old block is left untouched.
template <typename T>
T* GrowByOne(const T* table, std::uint32_t count) {
  T* grown = new (std::nothrow) T[static_cast<std::size_t>(count) + 1]();
  if (grown != nullptr && count != 0) {
    std::memcpy(grown, table, sizeof(T) * count);
  }
  return grown;
}

// A byte-for-byte copy of the table; null when it is empty or memory runs out.
template <typename T>
T* Duplicate(const T* table, std::uint32_t count) {
  if (table == nullptr || count == 0) return nullptr;
  T* copy = new (std::nothrow) T[count];
  if (copy != nullptr) std::memcpy(copy, table, sizeof(T) * count);
  return copy;
}

// The entry at the given byte offset from this one.
inline Entry* Follow(Entry* entry, std::int32_t offset) {
  return reinterpret_cast<Entry*>(reinterpret_cast<char*>(entry) +
                                  static_cast<std::ptrdiff_t>(offset));
}

// The next entry of the chain the entry belongs to; null after the last.
inline Entry* Next(Entry* entry) {
  return entry->_iOffsetToNext == 0 ? nullptr
                                    : Follow(entry, entry->_iOffsetToNext);
}

// The first member of a group head; null for every other entry.
inline Entry* FirstMember(Entry* entry) {
  return entry->_iOffsetToGroup == 0 ? nullptr
                                     : Follow(entry, entry->_iOffsetToGroup);
}

// The byte offset leading from one entry of a table to another.
inline std::int32_t Distance(const Entry* from, const Entry* to) {
  return static_cast<std::int32_t>(to - from) * kEntrySize;
}

// The offset to the entry, or 0 (end of chain) when there is none.
inline std::int32_t OffsetTo(const Entry* from, const Entry* to) {
  return to == nullptr ? 0 : Distance(from, to);
}

}  // namespace LinkTable

#endif
