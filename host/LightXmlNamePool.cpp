#include "LightXmlNamePool.h"

#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>

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

bool HasText(const LightXmlName* name, const char* data, std::size_t length) {
  const std::string& text = name->text.GetText();
  return text.size() == length && std::memcmp(text.data(), data, length) == 0;
}

LightXmlName* FindOrAdd(const char* data, std::size_t length);

}  // namespace

namespace LightXmlNamePool {

LightXmlName* Acquire(const char* data, std::size_t length) {
  if (length == 0) return nullptr;
  LightXmlName*& recent = gRecent[RecentSlotOf(data, length)];
  if (recent == nullptr || !HasText(recent, data, length)) {
    LightXmlName* found = FindOrAdd(data, length);
    Release(recent);
    recent = found;
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
  auto* name = new LightXmlName{MOKUnicodeString(data, length), 1, 0};
  try {
    names.emplace(std::string_view(name->text.GetText()), name);
  } catch (...) {
    delete name;
    throw;
  }
  return name;
}

}  // namespace

namespace LightXmlNamePool {

void Release(LightXmlName* name) {
  if (name == nullptr || --name->references != 0) return;
  Names().erase(std::string_view(name->text.GetText()));
  delete name;
}

const MOKUnicodeString& TextOf(const LightXmlName* name) {
  static const MOKUnicodeString* const empty = new MOKUnicodeString();
  return name != nullptr ? name->text : *empty;
}

}  // namespace LightXmlNamePool
