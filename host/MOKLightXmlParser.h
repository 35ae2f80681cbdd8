#ifndef MOKLightXmlParser_h
#define MOKLightXmlParser_h

#include "MOKHostExport.h"
#include "MOKLightXmlElement.h"
#include "MOKLightXmlInputStream.h"
#include "MOKLightXmlOutputStream.h"

// Reads XML documents into element trees and writes trees as XML text.
class MOKHOST_EXPORT MOKLightXmlParser {
 public:
  MOKLightXmlParser();
  ~MOKLightXmlParser();

  // Reads the whole stream into root, which must be empty. Exactly 1 when
  // the document was read; any other value (no input, not well-formed,
  // empty) is a failure and leaves root empty.
  int Parse(MOKLightXmlInputStream& input, MOKLightXmlElement& root);

  // Writes the tree as a UTF-8 XML document and commits the stream.
  // Non-zero when the whole document was written and committed.
  int GetXml(const MOKLightXmlElement& root, MOKLightXmlOutputStream& output);
};

#endif
