#include "AttributeFinder.h"

const char* AttributeFinder::Find(const MOKLightXmlElement& element,
                                  const std::string& name,
                                  std::size_t& length) {
  const std::size_t index = IndexOf(element, name);
  if (index == element.GetAttributeCount()) return nullptr;
  return element.GetAttributeTextAt(index, &length);
}

// The count of attributes when there is none of that name.
std::size_t AttributeFinder::IndexOf(const MOKLightXmlElement& element,
                                     const std::string& name) {
  const std::size_t count = element.GetAttributeCount();
  if (count <= kWalkedAttributes) {
    for (std::size_t i = 0; i < count; ++i)
      if (element.GetAttributeNameAt(i).GetText() == name) return i;
    return count;
  }
  if (_pIndexed != &element) {
    _Index.clear();
    for (std::size_t i = 0; i < count; ++i)
      _Index.emplace(element.GetAttributeNameAt(i).GetText(), i);
    _pIndexed = &element;
  }
  const auto found = _Index.find(name);
  return found == _Index.end() ? count : found->second;
}
