#ifndef VisuXMLDocumentWriter_h
#define VisuXMLDocumentWriter_h

#include <string>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"

// Writes the tree as an XML document at the path through the host's writer;
// with appendNewline non-zero, one newline is then appended to the file
// once the document is written (a failed write leaves the previous file
// untouched). Returns the writer's result: non-zero when written.
// When it was not written, *reason (if given) receives why, in the
// system's words.
int VisuXMLWriteDocument(const MOKLightXmlElement& tree,
                         const MOKUnicodeString& path,
                         unsigned char appendNewline,
                         std::string* reason = nullptr);

#endif
