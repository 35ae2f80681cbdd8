#ifndef MOKLightXmlOutputFile_h
#define MOKLightXmlOutputFile_h

#include <sys/types.h>

#include <string>

#include "MOKHostExport.h"
#include "MOKLightXmlOutputStream.h"
#include "MOKUnicodeString.h"

// An output stream on a file that is replaced whole or not at all: bytes go
// to a temporary file beside the target, and Commit flushes it to disk and
// renames it over the target. Destroyed without a successful Commit, it
// removes the temporary file and leaves the target untouched. Backslashes
// in the path are read as '/'.
//
// Until destroyed, a committed output file keeps its file open for
// MOKFOpen: appending to the target's path then extends this document.
//
// A symbolic link as target is followed: the file it resolves to is
// replaced and the link stays; a dangling link is refused. A target that
// exists but is not a regular file (a device, a pipe) is written to
// directly, since renaming over it would replace the node itself; a
// directory is refused. A new file gets mode 0644, a replaced file keeps
// its mode.
class MOKHOST_EXPORT MOKLightXmlOutputFile : public MOKLightXmlOutputStream {
 public:
  explicit MOKLightXmlOutputFile(const MOKUnicodeString& path);
  ~MOKLightXmlOutputFile() override;
  MOKLightXmlOutputFile(const MOKLightXmlOutputFile&) = delete;
  MOKLightXmlOutputFile& operator=(const MOKLightXmlOutputFile&) = delete;

  int IsValid() const override;
  int Write(const char* data, std::size_t size) override;
  int Commit() override;

  // Why the file could not be written, in the system's words ("Permission
  // denied", "No space left on device"); empty while nothing failed.
  std::string GetFailureReason() const;

 private:
  bool OpenTemporaryBeside(mode_t mode);
  void Discard();
  // Marks the stream failed for that errno value, kept for the reason.
  void Fail(int error);

  std::string _TargetPath;
  // Empty when writing directly to a target that is not a regular file.
  std::string _TemporaryPath;
  int _Descriptor;
  int _Failed;
  int _Committed;
  int _Error;
};

#endif
