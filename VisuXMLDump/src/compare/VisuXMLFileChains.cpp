#include "compare/VisuXMLFileChains.h"

#include <cstring>

#include "VisuXMLVocabulary.h"

void VisuXMLFile::VisuXMLChildrenChain::MatchByPosition(
    VisuXMLChildrenChain* reference, VisuXMLChildrenChain* output) {
  for (; reference != nullptr && output != nullptr;
       reference = reference->_pNext, output = output->_pNext)
    reference->_Matched = output->_Matched = true;
}

VisuXMLFile::VisuXMLAttributesChain*
VisuXMLFile::VisuXMLAttributesChain::FindUnmatched(
    const MOKUnicodeString& name) {
  for (VisuXMLAttributesChain* entry = this; entry != nullptr;
       entry = entry->_pNext)
    if (!entry->_Matched && entry->_pName->Compare(name) == 2) return entry;
  return nullptr;
}

bool VisuXMLFile::VisuXMLAttributesChain::IsUnset() const {
  const std::size_t length = std::strlen(VisuXMLVocabulary::kUnsetValue);
  return _uiLength == length &&
         std::memcmp(_pValue, VisuXMLVocabulary::kUnsetValue, length) == 0;
}

void VisuXMLFile::VisuXMLAttributesChain::CopyOnto(MOKLightXmlElement& result,
                                                   bool appendToResult) const {
  if (appendToResult)
    result.AppendAttribute(*_pName, Value());
  else
    result.SetAttributeValue(*_pName, Value());
}
