#ifndef NumericText_h
#define NumericText_h

#include <set>
#include <string>

#include "MOKLightXmlElement.h"

// Reads the whole text as one number; false for anything else ("", "1x").
bool ReadWholeNumber(const std::string& text, double& value);

// Names of the attributes that appear in the trees and whose every value,
// in both trees, reads as a number.
std::set<std::string> FindNumericAttributes(const MOKLightXmlElement& first,
                                            const MOKLightXmlElement& second);

#endif
