#include "compare/VisuXMLErrorSearch.h"

#include <vector>

#include "VisuXMLVocabulary.h"

namespace {

bool IsErrorElement(const MOKLightXmlElement& element) {
  return element.GetName().GetText() == VisuXMLVocabulary::kErrorElement;
}

// 1-based position of the child at index among its namesakes.
unsigned int NamesakePosition(const MOKLightXmlElement& parent,
                              std::size_t index) {
  const std::string& name = parent.GetChildAt(index)->GetName().GetText();
  unsigned int position = 0;
  for (std::size_t i = 0; i <= index; ++i)
    if (parent.GetChildAt(i)->GetName().GetText() == name) ++position;
  return position;
}

// One element whose children the search goes through: the next one to see.
struct Level {
  const MOKLightXmlElement* element;
  std::size_t next;
};

// Positions are counted only along the path found, each by one pass over
// the siblings before it: linear in the tree.
std::string PathOf(const std::vector<Level>& levels) {
  std::string path = "/" + levels.front().element->GetName().GetText();
  for (std::size_t depth = 0; depth + 1 < levels.size(); ++depth) {
    const MOKLightXmlElement& parent = *levels[depth].element;
    const std::size_t index = levels[depth].next - 1;
    path += "/" + parent.GetChildAt(index)->GetName().GetText() + "[" +
            std::to_string(NamesakePosition(parent, index)) + "]";
  }
  return path;
}

}  // namespace

bool VisuXMLFindFirstError(const MOKLightXmlElement& root, std::string& path,
                           std::string& message) {
  std::vector<Level> levels{Level{&root, 0}};
  if (IsErrorElement(root)) {
    path = PathOf(levels);
    message = root.GetValue().GetText();
    return true;
  }
  while (!levels.empty()) {
    Level& top = levels.back();
    if (top.next == top.element->GetChildCount()) {
      levels.pop_back();
      continue;
    }
    const MOKLightXmlElement* child = top.element->GetChildAt(top.next++);
    levels.push_back(Level{child, 0});
    if (IsErrorElement(*child)) {
      path = PathOf(levels);
      message = child->GetValue().GetText();
      return true;
    }
  }
  return false;
}
