#include "MOKLightXmlInputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "MOKPath.h"

namespace {

// Only regular files are read. Opening without blocking keeps a named pipe
// that nobody writes from holding the host for ever, and devices such as
// /dev/zero never end.
std::FILE* OpenRegularFile(const std::string& native) {
  const int descriptor =
      ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat info;
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(descriptor);
    return nullptr;
  }
  std::FILE* file = ::fdopen(descriptor, "rb");
  if (file == nullptr) ::close(descriptor);
  return file;
}

}  // namespace

MOKLightXmlInputFile::MOKLightXmlInputFile(const MOKUnicodeString& path)
    : _pFile(nullptr) {
  const std::string native = MOKToNativePath(path);
  // A NUL inside the text would silently name another file.
  if (!native.empty() && native.find('\0') == std::string::npos)
    _pFile = OpenRegularFile(native);
}

MOKLightXmlInputFile::~MOKLightXmlInputFile() {
  if (_pFile != nullptr) std::fclose(_pFile);
}

int MOKLightXmlInputFile::IsValid() const { return _pFile != nullptr ? 1 : 0; }

long MOKLightXmlInputFile::Read(char* buffer, std::size_t size) {
  if (_pFile == nullptr) return -1;
  const std::size_t count = std::fread(buffer, 1, size, _pFile);
  // A directory opens fine but fails here, as does any read error.
  if (count == 0 && std::ferror(_pFile)) return -1;
  return static_cast<long>(count);
}
