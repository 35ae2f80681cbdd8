#ifndef VisuXMLDocumentWriter_h
#define VisuXMLDocumentWriter_h

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"

// Writes the tree as an XML document at the path through the host's writer;
// with appendNewline non-zero one newline is then appended to the file,
// whether or not the document was written. Returns the writer's result:
// non-zero when the document was written.
int VisuXMLWriteDocument(const MOKLightXmlElement& tree,
                         const MOKUnicodeString& path,
                         unsigned char appendNewline);

#endif
