#include "TemporaryDirectory.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TemporaryDirectory::TemporaryDirectory() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
      "/visuxml-test-XXXXXX";
  if (::mkdtemp(&pattern[0]) == nullptr)
    throw std::runtime_error("cannot create a temporary directory");
  _Path = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  // A test may have made parts read-only; give write access back first.
  for (auto it = std::filesystem::recursive_directory_iterator(_Path, ignored);
       it != std::filesystem::recursive_directory_iterator();
       it.increment(ignored))
    if (it->is_directory(ignored)) ::chmod(it->path().c_str(), 0700);
  ::chmod(_Path.c_str(), 0700);
  std::filesystem::remove_all(_Path, ignored);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

void WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::size_t CountEntries(const std::string& path) {
  std::size_t count = 0;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(path, ignored))
    count += entry.path().filename().string()[0] != '.';
  return count;
}
