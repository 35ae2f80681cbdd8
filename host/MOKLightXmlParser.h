#ifndef MOKLightXmlParser_h
#define MOKLightXmlParser_h

#include <string>

#include "MOKHostExport.h"
#include "MOKLightXmlElement.h"
#include "MOKLightXmlInputStream.h"
#include "MOKLightXmlOutputStream.h"

// Reads XML documents into element trees and writes trees as XML text.
class MOKHOST_EXPORT MOKLightXmlParser {
 public:
  MOKLightXmlParser();
  ~MOKLightXmlParser();

  // Reads the whole stream into root; whatever root held before is dropped
  // first. Exactly 1 when the document was read; any other value (no input,
  // read error, empty or not well-formed document) is a failure and leaves
  // root empty. Comments, processing instructions and the document type are
  // skipped; external entities are never read.
  int Parse(MOKLightXmlInputStream& input, MOKLightXmlElement& root);
  // Why the last Parse failed, in the reader's words with the line and
  // column where it stopped ("not well-formed (invalid token) at line 3,
  // column 7"); empty after a success.
  const std::string& GetLastError() const { return _LastError; }

  // Writes the tree as a UTF-8 XML document and commits the stream, which
  // is left uncommitted when a write fails. Non-zero when the whole
  // document was written and committed. Bytes XML cannot carry become
  // U+FFFD in texts and values, and '_' in names.
  int GetXml(const MOKLightXmlElement& root, MOKLightXmlOutputStream& output);

 private:
  std::string _LastError;
};

#endif
