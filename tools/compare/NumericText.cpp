#include "NumericText.h"

#include <cstdlib>
#include <vector>

bool ReadWholeNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  double read = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0') return false;
  value = read;
  return true;
}

namespace {

// Walks the tree without recursion: dumps may nest deeply.
void ScanTree(const MOKLightXmlElement& root, std::set<std::string>& numeric,
              std::set<std::string>& textual) {
  std::vector<const MOKLightXmlElement*> pending{&root};
  while (!pending.empty()) {
    const MOKLightXmlElement* element = pending.back();
    pending.pop_back();
    for (std::size_t i = 0; i < element->GetAttributeCount(); ++i) {
      double ignored = 0.0;
      const std::string& name = element->GetAttributeNameAt(i).GetText();
      if (ReadWholeNumber(element->GetAttributeValueAt(i).GetText(), ignored))
        numeric.insert(name);
      else
        textual.insert(name);
    }
    for (std::size_t i = 0; i < element->GetChildCount(); ++i)
      pending.push_back(element->GetChildAt(i));
  }
}

}  // namespace

std::set<std::string> FindNumericAttributes(const MOKLightXmlElement& first,
                                            const MOKLightXmlElement& second) {
  std::set<std::string> numeric;
  std::set<std::string> textual;
  ScanTree(first, numeric, textual);
  ScanTree(second, numeric, textual);
  for (const std::string& name : textual) numeric.erase(name);
  return numeric;
}
