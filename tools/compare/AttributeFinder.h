#ifndef AttributeFinder_h
#define AttributeFinder_h

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "MOKLightXmlElement.h"

// Finds an attribute's value by name. The differences of one element come
// one after the other, so an element with many attributes is indexed once,
// and a comparison whose every attribute differs stays linear.
class AttributeFinder {
 public:
  // The value's bytes, or null when the element has no such attribute.
  const char* Find(const MOKLightXmlElement& element, const std::string& name,
                   std::size_t& length);

 private:
  // Up to this many attributes a walk costs less than an index.
  static constexpr std::size_t kWalkedAttributes = 16;

  std::size_t IndexOf(const MOKLightXmlElement& element,
                      const std::string& name);

  const MOKLightXmlElement* _pIndexed = nullptr;
  std::unordered_map<std::string_view, std::size_t> _Index;
};

#endif
