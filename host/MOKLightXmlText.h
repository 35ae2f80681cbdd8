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

#endif
