#include "compare/VisuXMLErrorSearch.h"

#include <vector>

#include "VisuXMLVocabulary.h"
#include "compare/DepthFirstWalk.h"

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

// Positions are counted only along the path found, each by one pass over
// the siblings before it: linear in the tree.
std::string PathOf(const std::vector<DepthFirstLevel>& levels) {
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
  return WalkDepthFirst(root, [&](const std::vector<DepthFirstLevel>& levels) {
    const MOKLightXmlElement& element = *levels.back().element;
    if (!IsErrorElement(element)) return false;
    path = PathOf(levels);
    message = element.GetValue().GetText();
    return true;
  });
}
