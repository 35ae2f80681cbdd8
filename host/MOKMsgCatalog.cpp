#include "MOKMsgCatalog.h"

#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "MOKCallJournal.h"

namespace {

// The package's catalog directory, reached from the directory this library
// was loaded from, links resolved: a moved package finds its own catalogs.
// Empty when the library's file cannot be told.
std::string PackageCatalogDirectory() {
  Dl_info library{};
  if (::dladdr(reinterpret_cast<void*>(&PackageCatalogDirectory), &library) ==
          0 ||
      library.dli_fname == nullptr)
    return std::string();
  const std::unique_ptr<char, decltype(&std::free)> resolved(
      ::realpath(library.dli_fname, nullptr), &std::free);
  const std::string path = resolved ? resolved.get() : library.dli_fname;
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  return path.substr(0, slash + 1) + MOK_CATALOG_RELATIVE_DIR;
}

std::vector<std::string> CatalogDirectories() {
  std::vector<std::string> directories;
  const char* searchPath = std::getenv("MOK_CATALOG_PATH");
  std::string remaining = searchPath != nullptr ? searchPath : "";
  while (!remaining.empty()) {
    const std::size_t colon = remaining.find(':');
    const std::string directory = remaining.substr(0, colon);
    if (!directory.empty()) directories.push_back(directory);
    remaining = colon == std::string::npos ? "" : remaining.substr(colon + 1);
  }
  static const std::string packageDirectory = PackageCatalogDirectory();
  if (!packageDirectory.empty()) directories.push_back(packageDirectory);
  return directories;
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Reads the key's text from an open catalog file; false when it is absent.
bool FindEntry(std::ifstream& file, const std::string& key, std::string& text) {
  std::string line;
  while (std::getline(file, line)) {
    const std::string entry = Trim(line);
    if (entry.empty() || entry[0] == '#') continue;
    const std::size_t equal = entry.find('=');
    if (equal == std::string::npos) continue;
    if (Trim(entry.substr(0, equal)) != key) continue;
    text = Trim(entry.substr(equal + 1));
    return true;
  }
  return false;
}

bool LookUp(const std::string& catalog, const std::string& key,
            std::string& text) {
  for (const std::string& directory : CatalogDirectories()) {
    std::ifstream file(directory + "/" + catalog + ".catalog");
    if (file) return FindEntry(file, key, text);
  }
  return false;
}

void ReplaceAll(std::string& text, const std::string& placeholder,
                const std::string& value) {
  std::size_t position = text.find(placeholder);
  while (position != std::string::npos) {
    text.replace(position, placeholder.size(), value);
    position = text.find(placeholder, position + value.size());
  }
}

}  // namespace

MOKUnicodeString MOKMsgCatalog::BuildMessage(
    const MOKString& catalog, const MOKString& key,
    const MOKUnicodeString* parameters, int count,
    const MOKUnicodeString& defaultText) {
  MOKCallJournal::Record("BuildMessage", key.GetText());
  std::string text;
  if (!LookUp(catalog.GetText(), key.GetText(), text)) return defaultText;
  for (int i = 0; parameters != nullptr && i < count; ++i)
    ReplaceAll(text, "{" + std::to_string(i + 1) + "}",
               parameters[i].GetText());
  return MOKUnicodeString(text);
}
