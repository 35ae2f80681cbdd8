#ifndef VisuXMLFileChains_h
#define VisuXMLFileChains_h

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLFile.h"

// Frees every entry behind head, then head itself, one at a time: a chain
// can be as long as an element has children or attributes, too long for a
// recursive destructor.
template <typename Entry>
void DestroyChain(Entry* head) {
  while (head != nullptr) {
    Entry* next = head->_pNext;
    head->_pNext = nullptr;
    delete head;
    head = next;
  }
}

// Stands for a pair whose comparison could not be completed because memory
// ran out: an error element without text, counted like any difference, so
// that an incomplete comparison never passes for a successful one.
inline void AddUncomparedError(MOKLightXmlElement& result,
                               unsigned int& errorCount) {
  result.AddChild(MOKLightXmlElement(MOKUnicodeString("VisuXMLError")));
  ++errorCount;
}

// One entry per child of an element, in the element's child order. The
// entries only point at the children; the element keeps owning them.
class VisuXMLFile::VisuXMLChildrenChain {
 public:
  explicit VisuXMLChildrenChain(MOKLightXmlElement* child)
      : _pChild(child), _pNext(nullptr), _Matched(false) {}
  ~VisuXMLChildrenChain() { DestroyChain(_pNext); }
  VisuXMLChildrenChain(const VisuXMLChildrenChain&) = delete;
  VisuXMLChildrenChain& operator=(const VisuXMLChildrenChain&) = delete;

  // Marks the entries that have a partner at the same position in the
  // other chain: children are paired by position alone.
  static void MatchByPosition(VisuXMLChildrenChain* reference,
                              VisuXMLChildrenChain* output);
  // Adds one error element to result for every unmatched entry, in order:
  // the children of the reference side when asReference, else the output's.
  void ReportUnmatched(VisuXMLFile& file, bool asReference,
                       MOKLightXmlElement& result, unsigned int& errorCount);

  MOKLightXmlElement* _pChild;
  VisuXMLChildrenChain* _pNext;
  bool _Matched;
};

// One entry per attribute of an element, in the element's attribute order.
// Name and value point into the element, which stays unchanged during the
// comparison.
class VisuXMLFile::VisuXMLAttributesChain {
 public:
  VisuXMLAttributesChain(const MOKUnicodeString* name,
                         const MOKUnicodeString* value)
      : _pName(name), _pValue(value), _pNext(nullptr), _Matched(false) {}
  ~VisuXMLAttributesChain() { DestroyChain(_pNext); }
  VisuXMLAttributesChain(const VisuXMLAttributesChain&) = delete;
  VisuXMLAttributesChain& operator=(const VisuXMLAttributesChain&) = delete;

  // The first unmatched entry from this one on with that name, or null.
  VisuXMLAttributesChain* FindUnmatched(const MOKUnicodeString& name);
  // True when the value is the unset value "???".
  bool IsUnset() const;
  // Adds one error element for every unmatched entry whose value is set, in
  // order; the output side also copies the attribute onto result first.
  void ReportUnmatched(VisuXMLFile& file, _VisuXMLAttributeError error,
                       MOKLightXmlElement* reference,
                       MOKLightXmlElement* output, MOKLightXmlElement& result,
                       unsigned int& errorCount);
  // Has the file's hook fill one error element and adds it to result.
  static void AddError(VisuXMLFile& file, _VisuXMLAttributeError error,
                       MOKLightXmlElement* reference,
                       MOKLightXmlElement* output,
                       const MOKUnicodeString* name,
                       MOKLightXmlElement& result, unsigned int& errorCount);

  const MOKUnicodeString* _pName;
  const MOKUnicodeString* _pValue;
  VisuXMLAttributesChain* _pNext;
  bool _Matched;
};

#endif
