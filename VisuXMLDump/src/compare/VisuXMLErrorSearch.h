#ifndef VisuXMLErrorSearch_h
#define VisuXMLErrorSearch_h

#include <string>

#include "MOKLightXmlElement.h"

// Where the first "VisuXMLError" element of a tree stands, depth first, in
// XPath form ("/Scene/Object[2]/VisuXMLError[1]"), and its message. False
// when the tree holds none.
bool VisuXMLFindFirstError(const MOKLightXmlElement& root, std::string& path,
                           std::string& message);

#endif
