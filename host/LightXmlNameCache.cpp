#include "LightXmlNameCache.h"

#include <cstring>

namespace {

constexpr std::size_t kHashStart = 2166136261u;

std::size_t Mixed(std::size_t hash, char byte) {
  return (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
}

// Names are short: every byte takes part.
std::size_t SlotOf(const char* text, std::size_t length, std::size_t slots) {
  std::size_t hash = kHashStart;
  for (std::size_t i = 0; i < length; ++i) hash = Mixed(hash, text[i]);
  return hash % slots;
}

}  // namespace

LightXmlNameCache::LightXmlNameCache() : _Slots() {}

LightXmlNameCache::~LightXmlNameCache() {
  for (LightXmlName* name : _Slots) LightXmlNamePool::Release(name);
}

LightXmlName* LightXmlNameCache::Acquire(const char* text, std::size_t length) {
  if (length == 0) return nullptr;
  return AcquireInSlot(SlotOf(text, length, kSlots), text, length);
}

LightXmlName* LightXmlNameCache::Acquire(const char* text) {
  std::size_t hash = kHashStart;
  std::size_t length = 0;
  for (; text[length] != '\0'; ++length) hash = Mixed(hash, text[length]);
  if (length == 0) return nullptr;
  return AcquireInSlot(hash % kSlots, text, length);
}

LightXmlName* LightXmlNameCache::AcquireInSlot(std::size_t slot,
                                               const char* text,
                                               std::size_t length) {
  LightXmlName*& known = _Slots[slot];
  if (known != nullptr) {
    const std::string& knownText = known->text.GetText();
    if (knownText.size() == length &&
        std::memcmp(knownText.data(), text, length) == 0)
      return LightXmlNamePool::Share(known);
  }
  LightXmlName* name = LightXmlNamePool::Acquire(text, length);
  LightXmlNamePool::Release(known);
  known = LightXmlNamePool::Share(name);
  return name;
}
