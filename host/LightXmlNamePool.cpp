#include "LightXmlNamePool.h"

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

}  // namespace

namespace LightXmlNamePool {

LightXmlName* Acquire(const char* data, std::size_t length) {
  if (length == 0) return nullptr;
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
