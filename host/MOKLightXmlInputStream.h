#ifndef MOKLightXmlInputStream_h
#define MOKLightXmlInputStream_h

#include <cstddef>

#include "MOKHostExport.h"

// A source of XML bytes for the parser.
class MOKHOST_EXPORT MOKLightXmlInputStream {
 public:
  virtual ~MOKLightXmlInputStream();
  // 1 when the stream could be opened.
  virtual int IsValid() const = 0;
  // Reads up to size bytes; the count read, 0 at the end, negative on error.
  virtual long Read(char* buffer, std::size_t size) = 0;
};

#endif
