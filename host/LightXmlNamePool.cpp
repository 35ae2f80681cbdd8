#include "LightXmlNamePool.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// Keys view the text of the names they map to.
using NameMap = std::unordered_map<std::string_view, LightXmlName*>;

// Never destroyed: elements held by other statics may release their names
// during the process's exit.
NameMap& Names() {
  static NameMap* names = new NameMap();
  return *names;
}

// The names met last, found again without hashing. Each slot keeps its
// name alive; the slots are never emptied, so a few recent names outlive
// their last element until another name takes the slot.
constexpr std::size_t kRecentSlots = 64;
LightXmlName* gRecent[kRecentSlots];

std::size_t RecentSlotOf(const char* data, std::size_t length) {
  std::size_t hash = 2166136261u;
  for (std::size_t i = 0; i < length; ++i)
    hash = (hash ^ static_cast<unsigned char>(data[i])) * 16777619u;
  return hash % kRecentSlots;
}

// The names met last by the address of their own text: a caller handing a
// name's text back (an element's name given to another element) finds it
// by that address alone, since no other text can live there while the slot
// holds the name. Each slot keeps its name alive, as the slots above.
LightXmlName* gByOwnText[kRecentSlots];

std::size_t OwnTextSlotOf(const char* data) {
  const std::uint64_t address = reinterpret_cast<std::uintptr_t>(data);
  return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15u) >> 32) %
         kRecentSlots;
}

bool HasText(const LightXmlName* name, const char* data, std::size_t length) {
  const std::string& text = name->text.GetText();
  return text.size() == length && std::memcmp(text.data(), data, length) == 0;
}

LightXmlName* FindOrAdd(const char* data, std::size_t length);

// The index: a slot per name, the free ones linked through their own
// content (link to the next free index, plus one, shifted left, with the
// low bit set, which no name's address has), so that a name given back
// never needs memory.
std::vector<LightXmlName*>& Slots() {
  static std::vector<LightXmlName*>* slots =
      new std::vector<LightXmlName*>(1, nullptr);
  return *slots;
}
// The index before the first name has one: the empty name alone.
LightXmlName* const kEmptyNameOnly[1] = {nullptr};
std::size_t gFirstFreeSlot = 0;  // index + 1; 0 when none is free

LightXmlName* FreeLink(std::size_t next) {
  return reinterpret_cast<LightXmlName*>((next << 1) | 1u);
}

std::size_t NextFree(const LightXmlName* link) {
  return reinterpret_cast<std::uintptr_t>(link) >> 1;
}

// Gives the name an index. Throws std::bad_alloc, the name then without
// one.
void Index(LightXmlName* name) {
  std::vector<LightXmlName*>& slots = Slots();
  if (gFirstFreeSlot != 0) {
    const std::size_t index = gFirstFreeSlot - 1;
    gFirstFreeSlot = NextFree(slots[index]);
    slots[index] = name;
    name->index = static_cast<std::uint32_t>(index);
    return;
  }
  if (slots.size() >= 0xFFFFFFFFu) throw std::bad_alloc();
  slots.push_back(name);
  LightXmlNamePool::Detail::gByIndex = slots.data();
  name->index = static_cast<std::uint32_t>(slots.size() - 1);
}

void Unindex(const LightXmlName* name) {
  Slots()[name->index] = FreeLink(gFirstFreeSlot);
  gFirstFreeSlot = static_cast<std::size_t>(name->index) + 1;
}

}  // namespace

LightXmlName* const* LightXmlNamePool::Detail::gByIndex = kEmptyNameOnly;

namespace LightXmlNamePool {

LightXmlName* Acquire(const char* data, std::size_t length) {
  if (length == 0) return nullptr;
  LightXmlName*& own = gByOwnText[OwnTextSlotOf(data)];
  if (own != nullptr && own->text.GetText().data() == data &&
      own->text.GetText().size() == length)
    return Share(own);
  LightXmlName*& recent = gRecent[RecentSlotOf(data, length)];
  if (recent == nullptr || !HasText(recent, data, length)) {
    LightXmlName* found = FindOrAdd(data, length);
    Release(recent);
    recent = found;
  }
  LightXmlName*& mine =
      gByOwnText[OwnTextSlotOf(recent->text.GetText().data())];
  if (mine != recent) {
    Release(mine);
    mine = Share(recent);
  }
  ++recent->references;
  return recent;
}

}  // namespace LightXmlNamePool

namespace {

// The name with that text, one reference taken for the caller.
LightXmlName* FindOrAdd(const char* data, std::size_t length) {
  NameMap& names = Names();
  const auto found = names.find(std::string_view(data, length));
  if (found != names.end()) {
    ++found->second->references;
    return found->second;
  }
  auto* name = new LightXmlName{MOKUnicodeString(data, length), 1, 0, 0};
  try {
    Index(name);
  } catch (...) {
    delete name;
    throw;
  }
  try {
    names.emplace(std::string_view(name->text.GetText()), name);
  } catch (...) {
    Unindex(name);
    delete name;
    throw;
  }
  return name;
}

}  // namespace

namespace LightXmlNamePool {

void Detail::Free(LightXmlName* name) {
  Names().erase(std::string_view(name->text.GetText()));
  Unindex(name);
  delete name;
}

const MOKUnicodeString& Detail::EmptyText() {
  static const MOKUnicodeString* const empty = new MOKUnicodeString();
  return *empty;
}

}  // namespace LightXmlNamePool
