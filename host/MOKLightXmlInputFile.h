#ifndef MOKLightXmlInputFile_h
#define MOKLightXmlInputFile_h

#include <cstdio>
#include <string>

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

  // Why the file could not be opened or read, in the system's words ("No
  // such file or directory", "Is a directory", "Permission denied"); empty
  // while nothing failed.
  const std::string& GetFailureReason() const { return _FailureReason; }

 private:
  std::FILE* _pFile;
  std::string _FailureReason;
};

#endif
