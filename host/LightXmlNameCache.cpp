#include "LightXmlNameCache.h"

#include <cstring>

namespace {

// Length and a few characters tell most names of a document apart.
std::size_t SlotOf(const char* text, std::size_t length, std::size_t slots) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::size_t hash = length * 131u + bytes[0] * 31u + bytes[length - 1] * 7u +
                     bytes[length / 2];
  return hash % slots;
}

}  // namespace

LightXmlNameCache::LightXmlNameCache() : _Slots() {}

LightXmlNameCache::~LightXmlNameCache() {
  for (LightXmlName* name : _Slots) LightXmlNamePool::Release(name);
}

LightXmlName* LightXmlNameCache::Acquire(const char* text, std::size_t length) {
  if (length == 0) return nullptr;
  LightXmlName*& slot = _Slots[SlotOf(text, length, kSlots)];
  if (slot != nullptr) {
    const std::string& known = slot->text.GetText();
    if (known.size() == length && std::memcmp(known.data(), text, length) == 0)
      return LightXmlNamePool::Share(slot);
  }
  LightXmlName* name = LightXmlNamePool::Acquire(text, length);
  LightXmlNamePool::Release(slot);
  slot = LightXmlNamePool::Share(name);
  return name;
}
