#ifndef ComparisonTestSupport_h
#define ComparisonTestSupport_h

#include <initializer_list>
#include <string>
#include <utility>

#include "MOKLightXmlElement.h"
#include "VisuXMLFile.h"

using AttributeList = std::initializer_list<std::pair<const char*, const char*>>;

// Builds an element with attributes (in order) and children (in order).
inline MOKLightXmlElement Element(
    const char* name, AttributeList attributes = {},
    std::initializer_list<MOKLightXmlElement> children = {}) {
  MOKLightXmlElement element{MOKUnicodeString(name)};
  for (const auto& attribute : attributes)
    element.SetAttributeValue(attribute.first, attribute.second);
  for (const MOKLightXmlElement& child : children) element.AddChild(child);
  return element;
}

inline MOKLightXmlElement Element(
    const char* name, std::initializer_list<MOKLightXmlElement> children) {
  return Element(name, {}, children);
}

// A one-line picture of a tree: name, {attributes}, "text", (children).
inline std::string Describe(const MOKLightXmlElement& element) {
  std::string picture = element.GetName().GetText();
  if (element.GetAttributeCount() != 0) {
    picture += "{";
    for (std::size_t i = 0; i < element.GetAttributeCount(); ++i) {
      if (i != 0) picture += ",";
      picture += element.GetAttributeNameAt(i).GetText() + "=" +
                 element.GetAttributeValueAt(i).GetText();
    }
    picture += "}";
  }
  if (element.GetValue().GetLengthInByte() != 0)
    picture += "\"" + element.GetValue().GetText() + "\"";
  if (element.GetChildCount() != 0) {
    picture += "(";
    for (std::size_t i = 0; i < element.GetChildCount(); ++i) {
      if (i != 0) picture += ",";
      picture += Describe(*element.GetChildAt(i));
    }
    picture += ")";
  }
  return picture;
}

// Runs the walk of two files directly, to observe the error count.
class VisuXMLFileTestAccess {
 public:
  static unsigned int CountDifferences(VisuXMLFile& reference,
                                       VisuXMLFile& output,
                                       MOKLightXmlElement& result) {
    unsigned int errorCount = 0;
    reference.RecursiveComparison(reference._pRootElement,
                                  output._pRootElement, result, errorCount);
    return errorCount;
  }
};

// The comparison of two trees: its return, its count and its result tree.
struct ComparisonOutcome {
  unsigned char equal;
  unsigned int count;
  std::string report;
};

inline ComparisonOutcome CompareTrees(const MOKLightXmlElement& reference,
                                      const MOKLightXmlElement& output) {
  VisuXMLFile referenceFile(reference);
  VisuXMLFile outputFile(output);
  MOKLightXmlElement result{MOKUnicodeString("report")};
  MOKLightXmlElement counted{MOKUnicodeString("report")};
  ComparisonOutcome outcome;
  outcome.equal = referenceFile.Compare(&outputFile, result);
  outcome.count =
      VisuXMLFileTestAccess::CountDifferences(referenceFile, outputFile, counted);
  outcome.report = Describe(result);
  return outcome;
}

#endif
