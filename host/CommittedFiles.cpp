#include "CommittedFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <mutex>
#include <new>
#include <vector>

namespace {

struct CommittedFile {
  const void* owner;
  std::string path;
  int descriptor;
};

std::mutex gMutex;
std::vector<CommittedFile> gFiles;

}  // namespace

void CommittedFiles::Keep(const void* owner, const std::string& path,
                          int descriptor) {
  std::lock_guard<std::mutex> lock(gMutex);
  try {
    gFiles.push_back(CommittedFile{owner, path, descriptor});
  } catch (const std::bad_alloc&) {
    // Appending then opens the name again, as any other file.
    ::close(descriptor);
  }
}

void CommittedFiles::Forget(const void* owner) {
  std::lock_guard<std::mutex> lock(gMutex);
  for (auto file = gFiles.begin(); file != gFiles.end();) {
    if (file->owner == owner) {
      ::close(file->descriptor);
      file = gFiles.erase(file);
    } else {
      ++file;
    }
  }
}

int CommittedFiles::OpenForAppend(const std::string& path) {
  std::lock_guard<std::mutex> lock(gMutex);
  for (auto file = gFiles.rbegin(); file != gFiles.rend(); ++file) {
    if (file->path != path) continue;
    const int descriptor = ::fcntl(file->descriptor, F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0) return -1;
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags | O_APPEND) < 0) {
      ::close(descriptor);
      return -1;
    }
    return descriptor;
  }
  return -1;
}
