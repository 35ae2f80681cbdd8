#include "LightXmlNameCache.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "LightXmlArena.h"

namespace {

constexpr std::size_t kHashStart = 2166136261u;

std::size_t Mixed(std::size_t hash, char byte) {
  return (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
}

// Expat packs short names a few bytes apart: every bit of the address
// takes part (multiplicative hashing), so that neighbours spread.
std::size_t AddressSlotOf(const char* text, std::size_t slots) {
  const std::uint64_t address = reinterpret_cast<std::uintptr_t>(text);
  return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15u) >> 32) %
         slots;
}

// True when the NUL-terminated text is exactly the name's.
bool IsTextOf(const char* text, const LightXmlName* name) {
  const std::string& known = name->text.GetText();
  for (std::size_t i = 0; i < known.size(); ++i)
    if (text[i] != known[i]) return false;
  return text[known.size()] == '\0';
}

}  // namespace

LightXmlNameCache::LightXmlNameCache() : _ByText(), _ByAddress() {}

LightXmlName* LightXmlNameCache::Lend(const char* text, LightXmlArena& keeper) {
  const std::size_t slot = AddressSlotOf(text, kSlots);
  AddressSlot& known = _ByAddress[slot];
  if (known.address == text) {
    if (IsTextOf(text, known.names[0])) return known.names[0];
    if (known.names[1] != nullptr && IsTextOf(text, known.names[1])) {
      std::swap(known.names[0], known.names[1]);
      return known.names[0];
    }
  }
  LightXmlName* name = LendByText(text, keeper);
  if (name != nullptr) {
    known.names[1] = known.address == text ? known.names[0] : nullptr;
    known.names[0] = name;
    known.address = text;
  }
  return name;
}

// Names are short: every byte takes part in the hash.
LightXmlName* LightXmlNameCache::LendByText(const char* text,
                                            LightXmlArena& keeper) {
  std::size_t hash = kHashStart;
  std::size_t length = 0;
  for (; text[length] != '\0'; ++length) hash = Mixed(hash, text[length]);
  if (length == 0) return nullptr;
  LightXmlName*& known = _ByText[hash % kSlots];
  if (known != nullptr) {
    const std::string& knownText = known->text.GetText();
    if (knownText.size() == length &&
        std::memcmp(knownText.data(), text, length) == 0)
      return known;
  }
  LightXmlName* name = LightXmlNamePool::Acquire(text, length);
  keeper.KeepName(name);
  known = name;
  return name;
}
