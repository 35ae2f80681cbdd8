#include "MOKLightXmlInputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "MOKPath.h"

namespace {

// What kind of file stands there when it is not a regular one.
int NotRegularError(mode_t mode) { return S_ISDIR(mode) ? EISDIR : EINVAL; }

// Only regular files are read. Opening without blocking keeps a named pipe
// that nobody writes from holding the host for ever, and devices such as
// /dev/zero never end. On failure *error receives an errno value.
std::FILE* OpenRegularFile(const std::string& native, int* error) {
  const int descriptor =
      ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    *error = errno;
    return nullptr;
  }
  struct stat info;
  const bool known = ::fstat(descriptor, &info) == 0;
  if (!known || !S_ISREG(info.st_mode)) {
    *error = known ? NotRegularError(info.st_mode) : errno;
    ::close(descriptor);
    return nullptr;
  }
  std::FILE* file = ::fdopen(descriptor, "rb");
  if (file == nullptr) {
    *error = errno;
    ::close(descriptor);
  }
  return file;
}

std::string DescribeError(int error) {
  if (error == EINVAL) return "Not a regular file";
  return std::strerror(error);
}

}  // namespace

MOKLightXmlInputFile::MOKLightXmlInputFile(const MOKUnicodeString& path)
    : _pFile(nullptr) {
  const std::string native = MOKToNativePath(path);
  // A NUL inside the text would silently name another file.
  int error = ENOENT;
  if (!native.empty() && native.find('\0') == std::string::npos) {
    _pFile = OpenRegularFile(native, &error);
  }
  if (_pFile == nullptr) _FailureReason = DescribeError(error);
}

MOKLightXmlInputFile::~MOKLightXmlInputFile() {
  if (_pFile != nullptr) std::fclose(_pFile);
}

int MOKLightXmlInputFile::IsValid() const { return _pFile != nullptr ? 1 : 0; }

long MOKLightXmlInputFile::Read(char* buffer, std::size_t size) {
  if (_pFile == nullptr) return -1;
  const std::size_t count = std::fread(buffer, 1, size, _pFile);
  // A directory opens fine but fails here, as does any read error.
  if (count == 0 && std::ferror(_pFile)) {
    _FailureReason = DescribeError(errno);
    return -1;
  }
  return static_cast<long>(count);
}
