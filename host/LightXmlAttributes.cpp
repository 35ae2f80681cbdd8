#include "LightXmlAttributes.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "LightXmlArena.h"

namespace {

constexpr std::size_t kLimit = 0xFFFFFFFFu;

std::size_t Larger(std::size_t current, std::size_t needed) {
  std::size_t size = current < 4 ? 4 : current;
  while (size < needed) size *= 2;
  return size;
}

}  // namespace

LightXmlAttributes* LightXmlAttributes::Create(std::size_t entries,
                                               std::size_t bytes) {
  return Allocate(entries, bytes, nullptr);
}

LightXmlAttributes* LightXmlAttributes::CreateInArena(std::size_t entries,
                                                      std::size_t bytes,
                                                      LightXmlArena* arena) {
  return Allocate(entries, bytes, arena);
}

LightXmlAttributes* LightXmlAttributes::Allocate(std::size_t entries,
                                                 std::size_t bytes,
                                                 LightXmlArena* arena) {
  if (entries > kLimit / 2 || bytes > kLimit / 2) throw std::bad_alloc();
  const std::size_t size =
      sizeof(LightXmlAttributes) + entries * sizeof(Entry) + bytes;
  void* memory = arena != nullptr ? arena->Allocate(size) : std::malloc(size);
  if (memory == nullptr) throw std::bad_alloc();
  auto* block = new (memory) LightXmlAttributes();
  block->_EntryCapacity = static_cast<std::uint32_t>(entries);
  block->_ByteCapacity = static_cast<std::uint32_t>(bytes);
  block->_pArena = arena;
  if (arena != nullptr) arena->Hold();
  return block;
}

LightXmlAttributes* LightXmlAttributes::Share(LightXmlAttributes* block) {
  if (block != nullptr) ++block->_References;
  return block;
}

void LightXmlAttributes::Free(LightXmlAttributes* block) {
  LightXmlArena* const arena = block->_pArena;
  block->~LightXmlAttributes();
  if (arena != nullptr)
    arena->Release();
  else
    std::free(block);
}

LightXmlAttributes::~LightXmlAttributes() {
  DropValues();
  if (_pArena != nullptr) return;
  for (std::size_t i = 0; i < _Count; ++i) LightXmlNamePool::Release(Name(i));
}

void LightXmlAttributes::DropValues() const {
  delete[] _pValues;
  _pValues = nullptr;
}

// A copy of the block with at least the given capacities; the names gain
// one reference each.
LightXmlAttributes* LightXmlAttributes::Grown(LightXmlAttributes* block,
                                              std::size_t entries,
                                              std::size_t bytes) {
  LightXmlAttributes* copy = Create(entries, bytes);
  copy->_Count = block->_Count;
  copy->_ByteCount = block->_ByteCount;
  std::memcpy(copy->Entries(), block->Entries(), block->_Count * sizeof(Entry));
  if (block->_ByteCount != 0)
    std::memcpy(copy->Bytes(), block->Bytes(), block->_ByteCount);
  for (std::size_t i = 0; i < copy->_Count; ++i)
    LightXmlNamePool::Share(copy->Name(i));
  return copy;
}

LightXmlAttributes* LightXmlAttributes::Unshared(LightXmlAttributes*& block) {
  if (block == nullptr) {
    block = Create(4, 32);
  } else if (!block->IsOwnedAlone()) {
    LightXmlAttributes* copy =
        Grown(block, block->_Count + 1, block->_ByteCount + 16);
    Release(block);
    block = copy;
  }
  block->DropValues();
  return block;
}

// The block that takes a change needing that many more entries and bytes:
// the block itself when it has a single holder and room, else a grown
// copy. The old block is released by Commit, after the value was copied:
// the value may live in the old block's strings.
LightXmlAttributes* LightXmlAttributes::Target(LightXmlAttributes* block,
                                               std::size_t entries,
                                               std::size_t bytes) {
  if (block == nullptr) return Create(Larger(0, entries), Larger(32, bytes));
  const bool room = block->_Count + entries <= block->_EntryCapacity &&
                    block->_ByteCount + bytes <= block->_ByteCapacity;
  if (block->IsOwnedAlone() && room) return block;
  return Grown(block, Larger(block->_EntryCapacity, block->_Count + entries),
               Larger(block->_ByteCapacity, block->_ByteCount + bytes));
}

void LightXmlAttributes::Commit(LightXmlAttributes*& block,
                                LightXmlAttributes* target) {
  if (target != block) {
    Release(block);
    block = target;
  }
  block->DropValues();
}

std::size_t LightXmlAttributes::Find(const char* name,
                                     std::size_t length) const {
  for (std::size_t i = 0; i < _Count; ++i) {
    const std::string& text = LightXmlNamePool::TextOf(Name(i)).GetText();
    if (text.size() == length && std::memcmp(text.data(), name, length) == 0)
      return i;
  }
  return _Count;
}

const MOKUnicodeString& LightXmlAttributes::Value(std::size_t index) const {
  if (_pValues == nullptr) {
    MOKUnicodeString* values = new MOKUnicodeString[_Count];
    for (std::size_t i = 0; i < _Count; ++i)
      values[i] = MOKUnicodeString(ValueData(i), ValueLength(i));
    _pValues = values;
  }
  return _pValues[index];
}

void LightXmlAttributes::Append(LightXmlAttributes*& block, LightXmlName* name,
                                const char* value, std::size_t length) {
  LightXmlAttributes* target;
  try {
    target = Target(block, 1, length);
  } catch (...) {
    LightXmlNamePool::Release(name);
    throw;
  }
  if (length != 0)
    std::memcpy(target->Bytes() + target->_ByteCount, value, length);
  target->_ByteCount += static_cast<std::uint32_t>(length);
  target->Entries()[target->_Count] =
      Entry{LightXmlNamePool::IndexOf(name), target->_ByteCount};
  ++target->_Count;
  Commit(block, target);
}

// An element without attributes gets no block for none.
void LightXmlAttributes::Reserve(LightXmlAttributes*& block,
                                 std::size_t entries, std::size_t bytes) {
  if (block == nullptr) {
    if (entries != 0) block = Create(entries, bytes);
    return;
  }
  Commit(block, Target(block, entries, bytes));
}

void LightXmlAttributes::ResizeValue(std::size_t index, std::size_t length) {
  const std::uint32_t start = Start(index);
  const std::uint32_t end = Entries()[index].end;
  const std::uint32_t newEnd = start + static_cast<std::uint32_t>(length);
  if (newEnd == end) return;
  std::memmove(Bytes() + newEnd, Bytes() + end, _ByteCount - end);
  for (std::size_t i = index; i < _Count; ++i)
    Entries()[i].end = Entries()[i].end - end + newEnd;
  _ByteCount = _ByteCount - end + newEnd;
}

// The value takes the place of the old one, the later values moving along.
void LightXmlAttributes::Replace(LightXmlAttributes*& block, std::size_t index,
                                 const char* value, std::size_t length) {
  const std::size_t old = block->ValueLength(index);
  LightXmlAttributes* target =
      Target(block, 0, length > old ? length - old : 0);
  target->ResizeValue(index, length);
  if (length != 0)
    std::memcpy(target->Bytes() + target->Start(index), value, length);
  Commit(block, target);
}

void LightXmlAttributes::Remove(LightXmlAttributes*& block, std::size_t index) {
  Unshared(block);
  LightXmlNamePool::Release(block->Name(index));
  block->ResizeValue(index, 0);
  Entry* entries = block->Entries();
  std::memmove(entries + index, entries + index + 1,
               (block->_Count - index - 1) * sizeof(Entry));
  --block->_Count;
}
