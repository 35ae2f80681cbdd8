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
  // The name's place in the pool's index, for holders that keep four bytes
  // instead of a pointer (the attribute blocks).
  std::uint32_t index;
  // How the writer judged the name: 0 not yet, 1 written as is, 2 renamed.
  mutable unsigned char writerVerdict;
};

namespace LightXmlNamePool {

namespace Detail {
// Slot i holds the name of index i; slot 0 stands for the empty name (free
// slots hold links, never read through a name's index).
extern LightXmlName* const* gByIndex;
// Frees a name whose last reference went.
void Free(LightXmlName* name);
// Never destroyed: elements held by statics may ask during the exit.
const MOKUnicodeString& EmptyText();
}  // namespace Detail

// The index of a name, 0 for the empty name (null).
inline std::uint32_t IndexOf(const LightXmlName* name) {
  return name != nullptr ? name->index : 0;
}
// The name of that index, while a reference to it is held.
inline LightXmlName* ByIndex(std::uint32_t index) {
  return Detail::gByIndex[index];
}

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
inline void Release(LightXmlName* name) {
  if (name != nullptr && --name->references == 0) Detail::Free(name);
}

// The text of a name, an empty text for null.
inline const MOKUnicodeString& TextOf(const LightXmlName* name) {
  return name != nullptr ? name->text : Detail::EmptyText();
}

}  // namespace LightXmlNamePool

#endif
