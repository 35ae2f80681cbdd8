#ifndef DepthFirstWalk_h
#define DepthFirstWalk_h

#include <cstddef>
#include <vector>

#include "MOKLightXmlElement.h"

// One element of the walk's path: the next of its children to visit.
struct DepthFirstLevel {
  const MOKLightXmlElement* element;
  std::size_t next;
};

// Visits every element of the tree in document order, without recursion:
// dumps may nest deeply. The path holds one level per depth, however many
// siblings there are; the element visited is the last level's, and each
// level above has its next set just past the child the walk went down
// into. The walk stops as soon as visit returns true; the result tells.
template <typename Visit>
bool WalkDepthFirst(const MOKLightXmlElement& root, Visit visit) {
  std::vector<DepthFirstLevel> levels{DepthFirstLevel{&root, 0}};
  if (visit(levels)) return true;
  while (!levels.empty()) {
    DepthFirstLevel& top = levels.back();
    if (top.next == top.element->GetChildCount()) {
      levels.pop_back();
      continue;
    }
    const MOKLightXmlElement* child = top.element->GetChildAt(top.next++);
    levels.push_back(DepthFirstLevel{child, 0});
    if (visit(levels)) return true;
  }
  return false;
}

#endif
