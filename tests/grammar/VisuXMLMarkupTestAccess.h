#ifndef VisuXMLMarkupTestAccess_h
#define VisuXMLMarkupTestAccess_h

#include <cstdint>
#include <vector>

#include "MOKUnicodeString.h"
#include "VisuXMLMarkup.h"

// Test-only window on the private side of VisuXMLMarkup: the registry, the
// fields of a record, its link tables and chains, and instance copies.
class VisuXMLMarkupTestAccess {
 public:
  using Entry = VisuXMLSubMarkupToMarkupLinks;

  // ---- Registry ----
  static VisuXMLMarkup* First() { return VisuXMLMarkup::_spFirstMarkup; }
  static VisuXMLMarkup* Next(const VisuXMLMarkup* markup) {
    return markup->_pNextMarkup;
  }
  static std::uint32_t NbRootMarkups() { return VisuXMLMarkup::_suiNbRootMarkup; }
  // The declared record of that name, looked up from the registry head.
  static VisuXMLMarkup* Retrieve(const MOKUnicodeString& name) {
    VisuXMLMarkup* first = First();
    return first == nullptr ? nullptr : first->RetrieveXMLMarkup(name);
  }
  // The lookup started at a given record of the registry.
  static VisuXMLMarkup* RetrieveFrom(VisuXMLMarkup* start,
                                     const MOKUnicodeString& name) {
    return start->RetrieveXMLMarkup(name);
  }
  static VisuXMLError SearchForExisting(VisuXMLMarkup* start,
                                        const MOKUnicodeString& name) {
    return start->SearchForExistingMarkup(name);
  }

  // ---- Fields ----
  static const MOKUnicodeString& Name(const VisuXMLMarkup* markup) {
    return markup->_Name;
  }
  static const MOKUnicodeString& Text(const VisuXMLMarkup* markup) {
    return markup->_Text;
  }
  static VisuXMLTypeOfMarkup Type(const VisuXMLMarkup* markup) {
    return markup->_Type;
  }
  static std::uint32_t OpenedInStream(const VisuXMLMarkup* markup) {
    return markup->_OpenedInStream;
  }

  // ---- Attribute link table ----
  static VisuXMLAttributeLinks* AttributeLinks(const VisuXMLMarkup* markup) {
    return markup->_pAttributeLinks;
  }
  static std::uint32_t NbAttributeLinks(const VisuXMLMarkup* markup) {
    return markup->_uiNbAttributeLinks;
  }
  static std::uint32_t SearchForAttribute(const VisuXMLMarkup* markup,
                                          const VisuXMLAttribute* attribute) {
    return markup->SearchForAttribute(attribute);
  }
  static std::uint32_t SearchForAttributeByName(const VisuXMLMarkup* markup,
                                                const MOKUnicodeString& name) {
    return markup->SearchForAttributeByName(name);
  }

  // ---- Sub-markup link table and chains ----
  static Entry* SubMarkupLinks(const VisuXMLMarkup* markup) {
    return markup->_pSubMarkupLinks;
  }
  static std::uint32_t NbSubMarkupLinks(const VisuXMLMarkup* markup) {
    return markup->_uiNbSubMarkupLinks;
  }
  static Entry* FirstInChain(const VisuXMLMarkup* markup) {
    return markup->_pFirstInChain;
  }
  // Index of the chain head in the table; -1 when there is none.
  static long HeadIndex(const VisuXMLMarkup* markup) {
    return markup->_pFirstInChain == nullptr
               ? -1
               : markup->_pFirstInChain - markup->_pSubMarkupLinks;
  }
  static Entry& At(const VisuXMLMarkup* markup, std::uint32_t index) {
    return markup->_pSubMarkupLinks[index];
  }
  // Table indices of the main chain, from the head.
  static std::vector<long> MainChain(const VisuXMLMarkup* markup) {
    return ChainFrom(markup, markup->_pFirstInChain);
  }
  // Table indices of the group chain of the group head at that index.
  static std::vector<long> GroupChain(const VisuXMLMarkup* markup,
                                      std::uint32_t groupIndex) {
    Entry* head = &markup->_pSubMarkupLinks[groupIndex];
    if (head->_iOffsetToGroup == 0) return {};
    return ChainFrom(markup, Step(head, head->_iOffsetToGroup));
  }
  static unsigned char SearchForMarkupInSubMarkups(const VisuXMLMarkup* parent,
                                                   const VisuXMLMarkup* markup) {
    return parent->SearchForMarkupInSubMarkups(markup);
  }
  static Entry* SearchForMarkupInChain(const VisuXMLMarkup* parent,
                                       const VisuXMLMarkup* markup,
                                       Entry* start) {
    return parent->SearchForMarkupInChain(markup, start);
  }

  // ---- Instances ----
  static VisuXMLMarkup* MakeInstance(const VisuXMLMarkup* declared) {
    return new VisuXMLMarkup(*declared);
  }
  // Frees an instance copy (which has no registry successor).
  static void DestroyInstance(VisuXMLMarkup* instance) { delete instance; }
  static void CleanUpAttributes(VisuXMLMarkup* markup) {
    markup->CleanUpAttributes();
  }
  static void Assign(VisuXMLMarkup* target, const VisuXMLMarkup* source) {
    *target = *source;
  }

  // ---- Stream ----
  // Slots of the stack of open markups (0 until the first opening).
  static std::uint32_t HistorySize() {
    return VisuXMLMarkup::_suiSizeOfMarkupHistory;
  }
  // Number of open markups.
  static std::uint32_t HistoryDepth() {
    return VisuXMLMarkup::_suiNbMarkupLevels;
  }

 private:
  static Entry* Step(Entry* entry, std::int32_t offset) {
    return reinterpret_cast<Entry*>(reinterpret_cast<char*>(entry) + offset);
  }
  static std::vector<long> ChainFrom(const VisuXMLMarkup* markup, Entry* entry) {
    std::vector<long> indices;
    // A chain never holds more entries than the table; stop a broken one.
    while (entry != nullptr && indices.size() <= markup->_uiNbSubMarkupLinks) {
      indices.push_back(entry - markup->_pSubMarkupLinks);
      entry = entry->_iOffsetToNext == 0 ? nullptr
                                         : Step(entry, entry->_iOffsetToNext);
    }
    return indices;
  }
};

#endif
