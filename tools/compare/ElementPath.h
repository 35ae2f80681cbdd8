#ifndef ElementPath_h
#define ElementPath_h

#include <string>

#include "MOKLightXmlElement.h"

// 1-based position of child among the children of parent that share its
// name; 1 when parent is null or does not hold child.
unsigned int PositionAmongNamesakes(const MOKLightXmlElement* parent,
                                    const MOKLightXmlElement* child);

// The step of child below its parent in XPath form: Name[position].
std::string ChildStep(const MOKLightXmlElement* parent,
                      const MOKLightXmlElement* child);

// Path of the first element named name in the tree of root, in XPath form
// with positions; empty when there is none.
std::string FindElementPath(const MOKLightXmlElement& root,
                            const std::string& name);

#endif
