#include "LightXmlNameCache.h"

#include <cstring>

namespace {

// Names are short: every byte takes part.
std::size_t SlotOf(const char* text, std::size_t length, std::size_t slots) {
  std::size_t hash = 2166136261u;
  for (std::size_t i = 0; i < length; ++i)
    hash = (hash ^ static_cast<unsigned char>(text[i])) * 16777619u;
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
