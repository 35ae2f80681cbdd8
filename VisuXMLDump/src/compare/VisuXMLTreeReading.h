#ifndef VisuXMLTreeReading_h
#define VisuXMLTreeReading_h

#include <string>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlInputStream.h"
#include "MOKUnicodeString.h"
#include "VisuXMLFile.h"

// Reads the document at path into tree. False when it cannot, with the
// reason, when asked for: the system's words for a file that cannot be
// opened or read ("No such file or directory"), the reader's with the line
// and column for one that is not well-formed.
bool VisuXMLReadTree(const MOKUnicodeString& path, MOKLightXmlElement& tree,
                     std::string* reason);
// The same from any input stream, such as standard input.
bool VisuXMLReadTree(MOKLightXmlInputStream& input, MOKLightXmlElement& tree,
                     std::string* reason);

// Files made from trees read once, without copying them again.
class VisuXMLTreeReading {
 public:
  // A file holding the tree, taken over whole; a file without root (not
  // valid) when the tree was not read or memory runs out. Null when the
  // file itself cannot be created.
  static VisuXMLFile* NewFileHolding(MOKLightXmlElement&& tree, bool read);
  // The file's tree; null when the file is not valid.
  static const MOKLightXmlElement* RootOf(const VisuXMLFile& file) {
    return file._pRootElement;
  }
};

#endif
