#ifndef MOKLightXmlInputFile_h
#define MOKLightXmlInputFile_h

#include <cstdio>

#include "MOKHostExport.h"
#include "MOKLightXmlInputStream.h"
#include "MOKUnicodeString.h"

// An input stream on a regular file; anything else (a directory, a pipe, a
// device) is not valid. Backslashes in the path are read as '/'.
class MOKHOST_EXPORT MOKLightXmlInputFile : public MOKLightXmlInputStream {
 public:
  explicit MOKLightXmlInputFile(const MOKUnicodeString& path);
  ~MOKLightXmlInputFile() override;
  MOKLightXmlInputFile(const MOKLightXmlInputFile&) = delete;
  MOKLightXmlInputFile& operator=(const MOKLightXmlInputFile&) = delete;

  int IsValid() const override;
  long Read(char* buffer, std::size_t size) override;

 private:
  std::FILE* _pFile;
};

#endif
