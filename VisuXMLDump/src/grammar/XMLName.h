#ifndef XMLName_h
#define XMLName_h

#include <cstddef>

// True when the bytes form an XML 1.0 Name (fifth edition productions):
// well-formed UTF-8 whose first character is a NameStartChar and whose
// other characters are NameChars. Names that pass need no escaping or
// rewriting by any XML writer.
bool IsXMLName(const char* bytes, std::size_t length);

#endif
