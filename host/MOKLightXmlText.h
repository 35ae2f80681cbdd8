#ifndef MOKLightXmlText_h
#define MOKLightXmlText_h

#include "MOKHostExport.h"
#include "MOKUnicodeString.h"

// Replaces, in place, every byte sequence XML 1.0 cannot carry (control
// characters other than tab, newline and carriage return, invalid UTF-8,
// U+FFFE, U+FFFF) by U+FFFD, exactly as the XML writer does, so that a tree
// holds the text its written document will hold; returns 1 when the text
// changed, 0 otherwise. Throws std::bad_alloc when memory runs out.
MOKHOST_EXPORT int MOKLightXmlMakeWritable(MOKUnicodeString& text);

// 1 when the name is an element or attribute name that the XML writer
// writes unchanged and the reader reads back: the one rule both apply. It
// is the reader's own judgement of names in a UTF-8 document, whose
// character classes are those of the fourth edition of XML 1.0 (so no
// character beyond U+FFFF, nor such as U+00AA, U+021B or U+20AC); 0
// otherwise, the empty name included. Throws std::bad_alloc when memory
// runs out.
MOKHOST_EXPORT int MOKLightXmlIsName(const MOKUnicodeString& name);

#endif
