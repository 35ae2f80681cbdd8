#ifndef LightXmlNamePool_h
#define LightXmlNamePool_h

#include <cstddef>
#include <cstdint>

#include "MOKUnicodeString.h"

// One element or attribute name, held once for the whole process however
// many elements carry it. Elements keep a counted reference; the name goes
// when the last one lets it go. Like the elements themselves, names are
// used from one thread at a time: the counts take no lock.
struct LightXmlName {
  MOKUnicodeString text;
  std::uint32_t references;
  // How the writer judged the name: 0 not yet, 1 written as is, 2 renamed.
  mutable unsigned char writerVerdict;
};

namespace LightXmlNamePool {

// The shared name with that text, one more reference taken; null for an
// empty text. Throws std::bad_alloc when memory runs out.
LightXmlName* Acquire(const char* data, std::size_t length);
inline LightXmlName* Acquire(const MOKUnicodeString& text) {
  return Acquire(text.GetText().data(), text.GetText().size());
}
// One more reference to a name already held (null is kept as null).
inline LightXmlName* Share(LightXmlName* name) {
  if (name != nullptr) ++name->references;
  return name;
}
// Gives one reference back; the last one frees the name.
void Release(LightXmlName* name);

// The text of a name, an empty text for null.
const MOKUnicodeString& TextOf(const LightXmlName* name);

}  // namespace LightXmlNamePool

#endif
