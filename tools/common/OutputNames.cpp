#include "OutputNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <tuple>
#include <utility>

namespace {

const std::string kOutputMarker = "_Out_";
const std::string kExtension = ".xml";

bool EndsWithExtension(const std::string& file) {
  return file.size() >= kExtension.size() &&
         file.compare(file.size() - kExtension.size(), kExtension.size(),
                      kExtension) == 0;
}

bool IsNumber(const std::string& text) {
  return !text.empty() &&
         text.find_first_not_of("0123456789") == std::string::npos;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

OutputName::OutputName(std::string file)
    : _File(std::move(file)), _Stem(_File), _HasOutputForm(false) {
  const std::string::size_type marker = _File.rfind(kOutputMarker);
  if (marker == std::string::npos || !EndsWithExtension(_File)) {
    _Key = _File;
    return;
  }
  // "_Out_" holds no '.', so it ends before the extension starts.
  const std::string::size_type numberStart = marker + kOutputMarker.size();
  _Stem = _File.substr(0, marker);
  _Number =
      _File.substr(numberStart, _File.size() - kExtension.size() - numberStart);
  _Key = _Stem + "_" + _Number;
  _HasOutputForm = !_Stem.empty() && IsNumber(_Number);
}

std::string OutputName::Replaced(const char* kind) const {
  if (_Key == _File) return _File;
  return _Stem + kind + _Number + kExtension;
}

std::string OutputName::TestCase() const {
  const std::string::size_type split = _Stem.rfind('_');
  return split == std::string::npos ? _Stem : _Stem.substr(0, split);
}

std::string OutputName::DumpLabel() const {
  const std::string::size_type split = _Stem.rfind('_');
  const std::string dump =
      split == std::string::npos ? std::string() : _Stem.substr(split + 1);
  return dump.empty() ? _Number : dump + "_" + _Number;
}

// Numbers of any length compare as numbers: the shorter is smaller, since
// the replay never writes leading zeros.
bool operator<(const OutputName& a, const OutputName& b) {
  return std::forward_as_tuple(a._Stem, a._Number.size(), a._Number) <
         std::forward_as_tuple(b._Stem, b._Number.size(), b._Number);
}

bool ListOutputs(const std::string& directory, std::vector<OutputName>& outputs,
                 std::string& reason) {
  DIR* entries = ::opendir(directory.c_str());
  if (entries == nullptr) {
    reason = std::strerror(errno);
    return false;
  }
  while (const dirent* entry = ::readdir(entries)) {
    const std::string file = entry->d_name;
    if (file.find(kOutputMarker) == std::string::npos ||
        !EndsWithExtension(file) || IsDirectory(JoinPath(directory, file)))
      continue;
    outputs.emplace_back(file);
  }
  ::closedir(entries);
  std::sort(outputs.begin(), outputs.end());
  return true;
}

std::string JoinPath(const std::string& directory, const std::string& file) {
  if (directory.empty() || directory.back() == '/') return directory + file;
  return directory + "/" + file;
}
