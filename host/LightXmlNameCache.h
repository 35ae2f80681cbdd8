#ifndef LightXmlNameCache_h
#define LightXmlNameCache_h

#include <cstddef>

#include "LightXmlNamePool.h"

// A small per-document memory of the shared names met last, so that a
// reader asks the process-wide pool once per distinct name rather than once
// per tag and attribute. Holds one reference to each name it remembers.
class LightXmlNameCache {
 public:
  LightXmlNameCache();
  ~LightXmlNameCache();
  LightXmlNameCache(const LightXmlNameCache&) = delete;
  LightXmlNameCache& operator=(const LightXmlNameCache&) = delete;

  // The shared name with that text, one reference taken for the caller;
  // null for an empty text. Throws std::bad_alloc when memory runs out.
  LightXmlName* Acquire(const char* text, std::size_t length);
  // The same for a NUL-terminated text, measured while it is hashed.
  LightXmlName* Acquire(const char* text);

 private:
  static constexpr std::size_t kSlots = 256;
  LightXmlName* AcquireInSlot(std::size_t slot, const char* text,
                              std::size_t length);
  LightXmlName* _Slots[kSlots];
};

#endif
