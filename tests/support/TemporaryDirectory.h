#ifndef TemporaryDirectory_h
#define TemporaryDirectory_h

#include <cstddef>
#include <string>

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const std::string& Path() const { return _Path; }
  // Path of a file inside the directory.
  std::string File(const std::string& name) const { return _Path + "/" + name; }

 private:
  std::string _Path;
};

// Whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);
// Number of entries of the directory, dot files aside.
std::size_t CountEntries(const std::string& path);

#endif
