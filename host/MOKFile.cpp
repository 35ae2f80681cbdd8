#include "MOKFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "CommittedFiles.h"
#include "MOKPath.h"

namespace {

// The open(2) flags of an fopen-style mode; -1 for a mode it does not know.
int FlagsOfMode(const char* mode) {
  if (mode == nullptr) return -1;
  int flags = 0;
  switch (mode[0]) {
    case 'r':
      flags = O_RDONLY;
      break;
    case 'w':
      flags = O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case 'a':
      flags = O_WRONLY | O_CREAT | O_APPEND;
      break;
    default:
      return -1;
  }
  for (const char* next = mode + 1; *next != '\0'; ++next) {
    if (*next == '+')
      flags = (flags & ~(O_RDONLY | O_WRONLY)) | O_RDWR;
    else if (*next != 'b' && *next != 't')
      return -1;
  }
  return flags | O_CLOEXEC;
}

}  // namespace

long MOKFOpen(const MOKUnicodeString* path, const char* mode,
              unsigned int* descriptor) {
  const int flags = FlagsOfMode(mode);
  if (path == nullptr || descriptor == nullptr || flags < 0) return -1;
  const std::string nativePath = MOKToNativePath(*path);
  if (nativePath.empty()) return -1;
  const bool appendOnly = (flags & O_APPEND) != 0 && (flags & O_RDWR) == 0;
  int fd = appendOnly ? CommittedFiles::OpenForAppend(nativePath) : -1;
  if (fd >= 0) {
    *descriptor = static_cast<unsigned int>(fd);
    return 0;
  }
  do {
    fd = ::open(nativePath.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  *descriptor = static_cast<unsigned int>(fd);
  return 0;
}

long MOKFWrite(unsigned int descriptor, const void* buffer, std::size_t count,
               int* written) {
  if (written != nullptr) *written = 0;
  if (descriptor > INT_MAX || (buffer == nullptr && count > 0)) return -1;
  const char* bytes = static_cast<const char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t step =
        ::write(static_cast<int>(descriptor), bytes + done, count - done);
    if (step < 0 && errno == EINTR) continue;
    if (step <= 0) break;
    done += static_cast<std::size_t>(step);
  }
  if (written != nullptr)
    *written = done > INT_MAX ? INT_MAX : static_cast<int>(done);
  return done == count ? 0 : -1;
}

long MOKFClose(unsigned int descriptor) {
  if (descriptor > INT_MAX) return -1;
  return ::close(static_cast<int>(descriptor)) == 0 ? 0 : -1;
}
