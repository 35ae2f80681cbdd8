#ifndef VisuXMLFileChains_h
#define VisuXMLFileChains_h

#include <cstddef>
#include <new>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLFile.h"

// Frees a whole chain: its entries are made together in one block, linked
// in order, so a chain as long as an element has children or attributes
// costs one allocation.
template <typename Entry>
void DestroyChain(Entry* head) {
  delete[] head;
}

// A chain freed when the comparison step that built it ends, however it
// ends: the hooks and result elements may run out of memory and throw.
template <typename Entry>
class OwnedChain {
 public:
  explicit OwnedChain(Entry* head) : _pHead(head) {}
  ~OwnedChain() { DestroyChain(_pHead); }
  OwnedChain(const OwnedChain&) = delete;
  OwnedChain& operator=(const OwnedChain&) = delete;

  Entry* Get() const { return _pHead; }

 private:
  Entry* _pHead;
};

// Makes count entries in one block, each linked to the next; null when
// memory runs out.
template <typename Entry>
Entry* NewChainBlock(std::size_t count) {
  Entry* entries = new (std::nothrow) Entry[count];
  if (entries == nullptr) return nullptr;
  for (std::size_t i = 0; i + 1 < count; ++i)
    entries[i]._pNext = &entries[i + 1];
  return entries;
}

// One entry per child of an element, in the element's child order. The
// entries only point at the children; the element keeps owning them.
class VisuXMLFile::VisuXMLChildrenChain {
 public:
  VisuXMLChildrenChain() : _pChild(nullptr), _pNext(nullptr), _Matched(false) {}
  VisuXMLChildrenChain(const VisuXMLChildrenChain&) = delete;
  VisuXMLChildrenChain& operator=(const VisuXMLChildrenChain&) = delete;

  // Marks the entries that have a partner at the same position in the
  // other chain: children are paired by position alone.
  static void MatchByPosition(VisuXMLChildrenChain* reference,
                              VisuXMLChildrenChain* output);

  MOKLightXmlElement* _pChild;
  VisuXMLChildrenChain* _pNext;
  bool _Matched;
};

// One entry per attribute of an element, in the element's attribute order.
// Name and value bytes point into the element, which stays unchanged during
// the comparison.
class VisuXMLFile::VisuXMLAttributesChain {
 public:
  VisuXMLAttributesChain()
      : _pName(nullptr),
        _pValue(nullptr),
        _uiLength(0),
        _pNext(nullptr),
        _Matched(false) {}
  VisuXMLAttributesChain(const VisuXMLAttributesChain&) = delete;
  VisuXMLAttributesChain& operator=(const VisuXMLAttributesChain&) = delete;

  // The first unmatched entry from this one on with that name, or null.
  VisuXMLAttributesChain* FindUnmatched(const MOKUnicodeString& name);
  // True when the value is the unset value "???".
  bool IsUnset() const;
  // Sets the attribute on result; appendToResult skips the look-up for an
  // attribute of that name, for callers that know there is none.
  void CopyOnto(MOKLightXmlElement& result, bool appendToResult) const;
  // The value as a string, for the rare steps that need one.
  MOKUnicodeString Value() const {
    return MOKUnicodeString(_pValue, _uiLength);
  }

  const MOKUnicodeString* _pName;
  const char* _pValue;
  std::size_t _uiLength;
  VisuXMLAttributesChain* _pNext;
  bool _Matched;
};

#endif
