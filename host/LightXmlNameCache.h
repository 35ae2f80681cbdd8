#ifndef LightXmlNameCache_h
#define LightXmlNameCache_h

#include <cstddef>

#include "LightXmlNamePool.h"

class LightXmlArena;

// A small per-document memory of the shared names met last, so that a
// reader asks the process-wide pool once per distinct name rather than once
// per tag and attribute. The names are lent: the document's arena keeps a
// reference to every name the cache takes from the pool, so a name found
// here lives as long as that arena.
//
// Expat hands each attribute name of a document over at the same address
// every time, and the names of sibling elements at the one address of its
// tag buffer; a second memory by address, two names per address, finds
// those again without hashing (the text is still compared, so an address
// that comes back with another name is only a miss).
class LightXmlNameCache {
 public:
  LightXmlNameCache();
  LightXmlNameCache(const LightXmlNameCache&) = delete;
  LightXmlNameCache& operator=(const LightXmlNameCache&) = delete;

  // The shared name with that NUL-terminated text, kept by the arena; null
  // for an empty text. Throws std::bad_alloc when memory runs out.
  LightXmlName* Lend(const char* text, LightXmlArena& keeper);

 private:
  static constexpr std::size_t kSlots = 256;
  LightXmlName* LendByText(const char* text, LightXmlArena& keeper);

  LightXmlName* _ByText[kSlots];
  struct AddressSlot {
    const char* address;
    LightXmlName* names[2];
  };
  AddressSlot _ByAddress[kSlots];
};

#endif
