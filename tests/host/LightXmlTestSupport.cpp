#include "LightXmlTestSupport.h"

#include <utility>
#include <vector>

#include "MOKLightXmlInputFile.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"

int ParseText(const std::string& text, MOKLightXmlElement& root,
              std::size_t slice) {
  StringInput input(text, slice);
  MOKLightXmlParser parser;
  return parser.Parse(input, root);
}

std::string WriteText(const MOKLightXmlElement& root) {
  StringOutput output;
  MOKLightXmlParser parser;
  parser.GetXml(root, output);
  return output.text;
}

int ParseFile(const std::string& path, MOKLightXmlElement& root) {
  MOKLightXmlInputFile input(path.c_str());
  MOKLightXmlParser parser;
  return parser.Parse(input, root);
}

int WriteFile(const MOKLightXmlElement& root, const std::string& path) {
  MOKLightXmlParser parser;
  MOKLightXmlOutputFile file(path.c_str());
  MOKLightXmlOutputFormatter formatter(file);
  return parser.GetXml(root, formatter);
}

namespace {

std::string CompareNodes(const MOKLightXmlElement& a,
                         const MOKLightXmlElement& b) {
  const std::string where = "<" + a.GetName().GetText() + ">: ";
  if (a.GetName().GetText() != b.GetName().GetText())
    return where + "name " + b.GetName().GetText();
  if (a.GetValue().GetText() != b.GetValue().GetText())
    return where + "text [" + b.GetValue().GetText() + "]";
  if (a.GetAttributeCount() != b.GetAttributeCount())
    return where + "attribute count";
  for (std::size_t i = 0; i < a.GetAttributeCount(); ++i) {
    if (a.GetAttributeNameAt(i).GetText() != b.GetAttributeNameAt(i).GetText())
      return where + "attribute name " + b.GetAttributeNameAt(i).GetText();
    if (a.GetAttributeValueAt(i).GetText() !=
        b.GetAttributeValueAt(i).GetText())
      return where + "attribute value [" +
             b.GetAttributeValueAt(i).GetText() + "]";
  }
  if (a.GetChildCount() != b.GetChildCount()) return where + "child count";
  return std::string();
}

}  // namespace

std::string FirstDifference(const MOKLightXmlElement& expected,
                            const MOKLightXmlElement& actual) {
  std::vector<std::pair<const MOKLightXmlElement*, const MOKLightXmlElement*>>
      work{{&expected, &actual}};
  while (!work.empty()) {
    auto [a, b] = work.back();
    work.pop_back();
    std::string difference = CompareNodes(*a, *b);
    if (!difference.empty()) return difference;
    for (std::size_t i = 0; i < a->GetChildCount(); ++i)
      work.emplace_back(a->GetChildAt(i), b->GetChildAt(i));
  }
  return std::string();
}
