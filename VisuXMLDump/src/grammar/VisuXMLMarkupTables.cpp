#include <cstdint>

#include "GrammarMessage.h"
#include "LinkTable.h"
#include "SubMarkupChain.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"
#include "VisuXMLResultCodes.h"

namespace {

constexpr std::uint32_t kNoAttributeEntry = 0xFFFFFFFF;

}  // namespace

VisuXMLError VisuXMLMarkup::AddAttribute(VisuXMLAttribute* attribute,
                                         VisuXMLAttributeToMarkupLink link) {
  if (SearchForAttribute(attribute) != kNoAttributeEntry) {
    _sErrorMessage = ComposeMessage(
        "The XML attribute ", attribute->_Name,
        " has already been declared for the XML markup ", _Name, ".");
    return VisuXMLResult::kRefused;
  }
  if (_uiNbAttributeLinks >= LinkTable::kMaxAttributeEntries)
    return VisuXMLResult::kNotCreated;
  VisuXMLAttributeLinks* grown =
      LinkTable::GrowByOne(_pAttributeLinks, _uiNbAttributeLinks);
  if (grown == nullptr) return VisuXMLResult::kNotCreated;
  delete[] _pAttributeLinks;
  _pAttributeLinks = grown;
  VisuXMLAttributeLinks& added = grown[_uiNbAttributeLinks];
  added._pAttribute = attribute;
  added._Link = link;
  ++_uiNbAttributeLinks;
  return VisuXMLResult::kSuccess;
}

VisuXMLError VisuXMLMarkup::AddSubMarkup(VisuXMLMarkup* subMarkup,
                                         VisuXMLMarkupToMarkupLink link) {
  if (SearchForMarkupInSubMarkups(subMarkup) != 0) {
    _sErrorMessage = ComposeMessage(
        "The XML markup provided - ", subMarkup->_Name,
        " - has already been declared as a sub-markup for the XML markup ",
        _Name, ".");
    return VisuXMLResult::kRefused;
  }
  if (subMarkup->_Type == VisuXMLRootMarkup) {
    _sErrorMessage = ComposeMessage(
        "The XML markup provided - ", subMarkup->_Name,
        " - has been declared as root markup for the XML file. It can't "
        "therefore be added as a sub-markup for the ",
        _Name, " markup.");
    return VisuXMLResult::kRefused;
  }
  SubMarkupChain chain(_pSubMarkupLinks, _uiNbSubMarkupLinks, _pFirstInChain);
  return chain.AppendToMainChain(subMarkup, link) == nullptr ? 3 : 0;
}

std::uint32_t VisuXMLMarkup::SearchForAttribute(
    const VisuXMLAttribute* attribute) const {
  for (std::uint32_t i = 0; i < _uiNbAttributeLinks; ++i) {
    if (_pAttributeLinks[i]._pAttribute == attribute) return i;
  }
  return kNoAttributeEntry;
}

std::uint32_t VisuXMLMarkup::SearchForAttributeByName(
    const MOKUnicodeString& name) const {
  for (std::uint32_t i = 0; i < _uiNbAttributeLinks; ++i) {
    const VisuXMLAttribute* attribute = _pAttributeLinks[i]._pAttribute;
    if (attribute != nullptr && attribute->_Name.Compare(name) == 2) return i;
  }
  return kNoAttributeEntry;
}

unsigned char VisuXMLMarkup::SearchForMarkupInSubMarkups(
    const VisuXMLMarkup* markup) const {
  for (std::uint32_t i = 0; i < _uiNbSubMarkupLinks; ++i) {
    if (_pSubMarkupLinks[i]._pMarkup == markup) return 1;
  }
  return 0;
}

VisuXMLSubMarkupToMarkupLinks* VisuXMLMarkup::SearchForMarkupInChain(
    const VisuXMLMarkup* markup, VisuXMLSubMarkupToMarkupLinks* start) const {
  return SubMarkupChain::Find(_pFirstInChain, markup, start);
}

void VisuXMLMarkup::CleanUpAttributes() {
  if (_pAttributeLinks == nullptr) return;
  for (std::uint32_t i = 0; i < _uiNbAttributeLinks; ++i) {
    VisuXMLAttributeLinks& entry = _pAttributeLinks[i];
    if (entry._pAttribute != nullptr && entry._OwnsAttribute != 0) {
      delete entry._pAttribute;
      entry._pAttribute = nullptr;
    }
  }
  delete[] _pAttributeLinks;
  _pAttributeLinks = nullptr;
  _uiNbAttributeLinks = 0;
}
