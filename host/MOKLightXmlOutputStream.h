#ifndef MOKLightXmlOutputStream_h
#define MOKLightXmlOutputStream_h

#include <cstddef>

#include "MOKHostExport.h"

// A sink of XML bytes for the writer.
class MOKHOST_EXPORT MOKLightXmlOutputStream {
 public:
  virtual ~MOKLightXmlOutputStream();
  // 1 when the stream could be opened and no write has failed.
  virtual int IsValid() const = 0;
  // Appends bytes; 1 on success, 0 on failure.
  virtual int Write(const char* data, std::size_t size) = 0;
  // Makes everything written so far final (for a file: in place under its
  // name); 1 on success, 0 on failure. Nothing may be written afterwards.
  virtual int Commit() = 0;
};

#endif
