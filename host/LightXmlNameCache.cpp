#include "LightXmlNameCache.h"

#include <cstdint>
#include <cstring>

#include "LightXmlArena.h"

namespace {

constexpr std::size_t kHashStart = 2166136261u;

std::size_t Mixed(std::size_t hash, char byte) {
  return (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
}

// True when the NUL-terminated text is exactly the name's.
bool IsTextOf(const char* text, const LightXmlName* name) {
  const std::string& known = name->text.GetText();
  for (std::size_t i = 0; i < known.size(); ++i)
    if (text[i] != known[i]) return false;
  return text[known.size()] == '\0';
}

}  // namespace

LightXmlNameCache::LightXmlNameCache()
    : _ByText(), _Addresses(), _ByAddress() {}

LightXmlName* LightXmlNameCache::Lend(const char* text,
                                      LightXmlArena& keeper) {
  // Addresses of names are at least word-aligned in practice; the low bits
  // would only crowd the slots.
  const std::size_t slot =
      (reinterpret_cast<std::uintptr_t>(text) >> 3) % kSlots;
  if (_Addresses[slot] == text && IsTextOf(text, _ByAddress[slot]))
    return _ByAddress[slot];
  LightXmlName* name = LendByText(text, keeper);
  if (name != nullptr) {
    _Addresses[slot] = text;
    _ByAddress[slot] = name;
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
