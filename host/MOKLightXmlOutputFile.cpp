#include "MOKLightXmlOutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "CommittedFiles.h"
#include "MOKPath.h"

namespace {

constexpr mode_t kNewFileMode = 0644;

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The path a symbolic link finally points to; empty when it dangles.
std::string ResolveLink(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return std::string();
  std::string result(resolved);
  std::free(resolved);
  return result;
}

int CreateUnique(std::string& pattern) {
  return ::mkostemp(&pattern[0], O_CLOEXEC);
}

// Opens a device or pipe for writing. A pipe without a reader fails
// instead of blocking the host.
int OpenSpecialFile(const std::string& path) {
  const int descriptor =
      ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return -1;
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) < 0) {
    ::close(descriptor);
    return -1;
  }
  return descriptor;
}

// Best effort: makes the rename itself survive a crash.
void SyncDirectory(const std::string& directory) {
  const int descriptor =
      ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

// Devices and pipes cannot be synced; that is no write failure.
bool SyncFailed(int descriptor) {
  if (::fsync(descriptor) == 0) return false;
  return errno != EINVAL && errno != EROFS && errno != ENOTSUP;
}

}  // namespace

MOKLightXmlOutputFile::MOKLightXmlOutputFile(const MOKUnicodeString& path)
    : _TargetPath(MOKToNativePath(path)),
      _Descriptor(-1),
      _Failed(1),
      _Committed(0),
      _Error(ENOENT) {
  // A NUL inside the text would silently name another file.
  if (_TargetPath.empty() || _TargetPath.find('\0') != std::string::npos)
    return;
  struct stat info;
  const bool exists = ::lstat(_TargetPath.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) {
    Fail(errno);
    return;
  }
  if (exists && S_ISLNK(info.st_mode)) {
    _TargetPath = ResolveLink(_TargetPath);
    const bool resolved = !_TargetPath.empty();
    if (!resolved || ::stat(_TargetPath.c_str(), &info) != 0) {
      Fail(resolved ? errno : ENOENT);
      return;
    }
  }
  if (exists && S_ISDIR(info.st_mode)) {
    Fail(EISDIR);
    return;
  }
  if (exists && !S_ISREG(info.st_mode)) {
    _Descriptor = OpenSpecialFile(_TargetPath);
    if (_Descriptor < 0) {
      Fail(errno);
      return;
    }
  } else if (!OpenTemporaryBeside(exists ? (info.st_mode & 07777)
                                         : kNewFileMode)) {
    return;
  }
  _Failed = 0;
  _Error = 0;
}

void MOKLightXmlOutputFile::Fail(int error) {
  _Failed = 1;
  _Error = error != 0 ? error : EIO;
}

std::string MOKLightXmlOutputFile::GetFailureReason() const {
  return _Failed != 0 ? std::strerror(_Error) : "";
}

bool MOKLightXmlOutputFile::OpenTemporaryBeside(mode_t mode) {
  std::string pattern = _TargetPath + ".tmp-XXXXXX";
  int descriptor = CreateUnique(pattern);
  if (descriptor < 0 && errno == ENAMETOOLONG) {
    pattern = DirectoryOf(_TargetPath) + "/.mok-tmp-XXXXXX";
    descriptor = CreateUnique(pattern);
  }
  if (descriptor < 0) {
    Fail(errno);
    return false;
  }
  _Descriptor = descriptor;
  _TemporaryPath = pattern;
  if (::fchmod(descriptor, mode) != 0) {
    Fail(errno);
    Discard();
    return false;
  }
  return true;
}

MOKLightXmlOutputFile::~MOKLightXmlOutputFile() {
  if (_Committed == 0) Discard();
  CommittedFiles::Forget(this);
}

// Closes the file and removes the temporary file, if any.
void MOKLightXmlOutputFile::Discard() {
  if (_Descriptor >= 0) ::close(_Descriptor);
  _Descriptor = -1;
  if (!_TemporaryPath.empty()) ::unlink(_TemporaryPath.c_str());
  _TemporaryPath.clear();
}

int MOKLightXmlOutputFile::IsValid() const { return _Failed == 0 ? 1 : 0; }

int MOKLightXmlOutputFile::Write(const char* data, std::size_t size) {
  if (_Failed != 0 || _Committed != 0 || _Descriptor < 0) return 0;
  while (size > 0) {
    const ssize_t written = ::write(_Descriptor, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      Fail(written < 0 ? errno : EIO);
      return 0;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 1;
}

int MOKLightXmlOutputFile::Commit() {
  if (_Failed != 0 || _Committed != 0 || _Descriptor < 0) return 0;
  const int descriptor = _Descriptor;
  _Descriptor = -1;
  int error = SyncFailed(descriptor) ? errno : 0;
  // Kept open on the replacing file: see CommittedFiles.
  const int kept =
      _TemporaryPath.empty() ? -1 : ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
  if (::close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && !_TemporaryPath.empty()) {
    if (::rename(_TemporaryPath.c_str(), _TargetPath.c_str()) != 0) {
      error = errno;
    } else {
      _TemporaryPath.clear();
      SyncDirectory(DirectoryOf(_TargetPath));
    }
  }
  if (kept >= 0) {
    if (error != 0)
      ::close(kept);
    else
      CommittedFiles::Keep(this, _TargetPath, kept);
  }
  if (error != 0) {
    Fail(error);
    Discard();
    return 0;
  }
  _Committed = 1;
  return 1;
}
