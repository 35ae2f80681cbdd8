#include "WholeFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool WriteAll(int descriptor, const std::string& content) {
  std::size_t written = 0;
  while (written < content.size()) {
    const ssize_t done =
        ::write(descriptor, content.data() + written, content.size() - written);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    written += static_cast<std::size_t>(done);
  }
  return true;
}

// mkstemp makes the file private; the page is as readable as any new file.
void GiveUsualMode(int descriptor) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(descriptor, 0666 & ~mask);
}

}  // namespace

std::string ReplaceFileWhole(const std::string& path,
                             const std::string& content) {
  std::string temporary = path + ".tmp-XXXXXX";
  const int descriptor = ::mkstemp(&temporary[0]);
  if (descriptor < 0) return std::strerror(errno);
  GiveUsualMode(descriptor);
  bool done = WriteAll(descriptor, content);
  int error = errno;
  if (::close(descriptor) != 0 && done) {
    done = false;
    error = errno;
  }
  if (done && ::rename(temporary.c_str(), path.c_str()) != 0) {
    done = false;
    error = errno;
  }
  if (done) return std::string();
  ::unlink(temporary.c_str());
  return std::strerror(error);
}
