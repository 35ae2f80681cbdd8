#ifndef MOKLightXmlOutputFile_h
#define MOKLightXmlOutputFile_h

#include <string>

#include "MOKHostExport.h"
#include "MOKLightXmlOutputStream.h"
#include "MOKUnicodeString.h"

// An output stream on a file that is replaced whole or not at all: bytes go
// to a temporary file beside the target, and Commit renames it over the
// target. Destroyed without a successful Commit, it removes the temporary
// file and leaves the target untouched. Backslashes in the path are read
// as '/'.
class MOKHOST_EXPORT MOKLightXmlOutputFile : public MOKLightXmlOutputStream {
 public:
  explicit MOKLightXmlOutputFile(const MOKUnicodeString& path);
  ~MOKLightXmlOutputFile() override;
  MOKLightXmlOutputFile(const MOKLightXmlOutputFile&) = delete;
  MOKLightXmlOutputFile& operator=(const MOKLightXmlOutputFile&) = delete;

  int IsValid() const override;
  int Write(const char* data, std::size_t size) override;
  int Commit() override;

 private:
  std::string _TargetPath;
  std::string _TemporaryPath;
  int _Descriptor;
  int _Failed;
  int _Committed;
};

#endif
