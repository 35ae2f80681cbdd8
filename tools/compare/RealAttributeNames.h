#ifndef RealAttributeNames_h
#define RealAttributeNames_h

#include <string>
#include <unordered_set>

#include "MOKLightXmlElement.h"
#include "compare/VisuXMLComparisonSettings.h"

// The attribute names the tool compares as real numbers: those named on
// its command line, and those it finds numeric in the two trees.
class RealAttributeNames final : public VisuXMLRealAttributes {
 public:
  void Add(const std::string& name) { _Names.insert(name); }
  // Adds every attribute name whose values, in both trees, all are plain
  // decimals. Each value is looked at once, each distinct name kept once.
  void AddAllNumeric(const MOKLightXmlElement& first,
                     const MOKLightXmlElement& second);

  bool IsReal(const MOKUnicodeString& name) const override {
    return _Names.count(name.GetText()) != 0;
  }

 private:
  std::unordered_set<std::string> _Names;
};

#endif
