#include "VisuXMLAttribute.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLFile.h"
#include "compare/VisuXMLComparisonWalk.h"
#include "compare/VisuXMLFileChains.h"
#include "compare/VisuXMLProcessSettings.h"

namespace {

// The attributes declared real in the process's grammar.
class DeclaredRealAttributes : public VisuXMLRealAttributes {
 public:
  bool IsReal(const MOKUnicodeString& name) const override {
    return VisuXMLAttribute::GetXMLAttributeType(name) == VisuXMLRealAttribute;
  }
};

const DeclaredRealAttributes kDeclaredRealAttributes;

}  // namespace

VisuXMLComparisonSettings VisuXMLProcessSettings() {
  return VisuXMLComparisonSettings{
      VisuXMLTolerance::OfDumpVersion(VisuXMLDumpVersion::GetVersionNumber()),
      &kDeclaredRealAttributes};
}

unsigned char VisuXMLFile::Compare(VisuXMLFile* output,
                                   MOKLightXmlElement& result) {
  return VisuXMLComparisonWalk::Compare(*this, output, result,
                                        VisuXMLProcessSettings(), nullptr);
}

void VisuXMLFile::RecursiveComparison(MOKLightXmlElement* reference,
                                      MOKLightXmlElement* output,
                                      MOKLightXmlElement& result,
                                      unsigned int& errorCount) {
  const VisuXMLComparisonSettings settings = VisuXMLProcessSettings();
  VisuXMLComparisonWalk(*this, settings, nullptr, errorCount)
      .ComparePair(reference, output, result);
}

void VisuXMLFile::ChildrenComparison(MOKLightXmlElement* reference,
                                     MOKLightXmlElement* output,
                                     MOKLightXmlElement& result,
                                     unsigned int& errorCount) {
  const VisuXMLComparisonSettings settings = VisuXMLProcessSettings();
  VisuXMLComparisonWalk(*this, settings, nullptr, errorCount)
      .ReportUnpairedChildren(reference, output, result);
}

void VisuXMLFile::AttributesComparison(MOKLightXmlElement* reference,
                                       MOKLightXmlElement* output,
                                       MOKLightXmlElement& result,
                                       unsigned int& errorCount) {
  const VisuXMLComparisonSettings settings = VisuXMLProcessSettings();
  VisuXMLComparisonWalk(*this, settings, nullptr, errorCount)
      .CompareAttributes(reference, output, result);
}

// Null for a null element or one without children, and when memory runs
// out: a partial chain would pair the wrong children.
VisuXMLFile::VisuXMLChildrenChain* VisuXMLFile::BuildChildrenChain(
    MOKLightXmlElement* element) {
  if (element == nullptr || element->GetChildCount() == 0) return nullptr;
  VisuXMLChildrenChain* head =
      NewChainBlock<VisuXMLChildrenChain>(element->GetChildCount());
  if (head == nullptr) return nullptr;
  VisuXMLChildrenChain* entry = head;
  void* cookie = element->GetChildren();
  while (MOKLightXmlElementItf* child = element->GetChild(cookie)) {
    // Children of a host element are host elements.
    entry->_pChild = static_cast<MOKLightXmlElement*>(child);
    entry = entry->_pNext;
  }
  return head;
}

// Null for a null element or one without attributes, and when memory runs
// out: a partial chain would report attributes as missing.
VisuXMLFile::VisuXMLAttributesChain* VisuXMLFile::BuildAttributesChain(
    MOKLightXmlElement* element) {
  if (element == nullptr || element->GetAttributeCount() == 0) return nullptr;
  VisuXMLAttributesChain* head =
      NewChainBlock<VisuXMLAttributesChain>(element->GetAttributeCount());
  if (head == nullptr) return nullptr;
  VisuXMLAttributesChain* entry = head;
  for (std::size_t i = 0; i < element->GetAttributeCount(); ++i) {
    entry->_pName = &element->GetAttributeNameAt(i);
    entry->_pValue = element->GetAttributeTextAt(i, &entry->_uiLength);
    entry = entry->_pNext;
  }
  return head;
}
