#include "ElementPath.h"

unsigned int PositionAmongNamesakes(const MOKLightXmlElement* parent,
                                    const MOKLightXmlElement* child) {
  if (parent == nullptr || child == nullptr) return 1;
  unsigned int position = 0;
  for (std::size_t i = 0; i < parent->GetChildCount(); ++i) {
    const MOKLightXmlElement* sibling = parent->GetChildAt(i);
    if (sibling->GetName().Compare(child->GetName()) == 2) ++position;
    if (sibling == child) return position;
  }
  return 1;
}

std::string ChildStep(const MOKLightXmlElement* parent,
                      const MOKLightXmlElement* child) {
  return child->GetName().GetText() + "[" +
         std::to_string(PositionAmongNamesakes(parent, child)) + "]";
}

namespace {

std::string SearchBelow(const MOKLightXmlElement& element,
                        const std::string& path, const std::string& name) {
  for (std::size_t i = 0; i < element.GetChildCount(); ++i) {
    const MOKLightXmlElement* child = element.GetChildAt(i);
    std::string childPath = path + "/" + ChildStep(&element, child);
    if (child->GetName().GetText() == name) return childPath;
    std::string found = SearchBelow(*child, childPath, name);
    if (!found.empty()) return found;
  }
  return std::string();
}

}  // namespace

std::string FindElementPath(const MOKLightXmlElement& root,
                            const std::string& name) {
  std::string rootPath = "/" + root.GetName().GetText();
  if (root.GetName().GetText() == name) return rootPath;
  return SearchBelow(root, rootPath, name);
}
