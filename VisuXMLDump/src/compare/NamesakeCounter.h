#ifndef NamesakeCounter_h
#define NamesakeCounter_h

#include <cstddef>
#include <string_view>
#include <unordered_map>

#include "MOKLightXmlElement.h"

// Positions of an element's children among their namesakes (the k-th child
// named Object), counted once as far as they are asked for. A walk asks in
// child order, so all the children of a parent cost one pass, however many
// of them are asked for.
class NamesakeCounter {
 public:
  // 1-based position of the child at index among the children of parent
  // that share its name.
  unsigned int PositionOf(const MOKLightXmlElement& parent, std::size_t index) {
    if (index + 1 < _uiCounted) return CountUpTo(parent, index);
    while (_uiCounted <= index) _uiLast = ++_Seen[NameAt(parent, _uiCounted++)];
    return _uiLast;
  }

 private:
  static std::string_view NameAt(const MOKLightXmlElement& parent,
                                 std::size_t index) {
    return parent.GetChildAt(index)->GetName().GetText();
  }

  // An index behind the counted ones is counted afresh.
  static unsigned int CountUpTo(const MOKLightXmlElement& parent,
                                std::size_t index) {
    const std::string_view name = NameAt(parent, index);
    unsigned int position = 0;
    for (std::size_t i = 0; i <= index; ++i)
      if (NameAt(parent, i) == name) ++position;
    return position;
  }

  std::unordered_map<std::string_view, unsigned int> _Seen;
  std::size_t _uiCounted = 0;
  unsigned int _uiLast = 0;
};

#endif
