#include "MOKLightXmlInputFile.h"

#include "MOKPath.h"

MOKLightXmlInputFile::MOKLightXmlInputFile(const MOKUnicodeString& path)
    : _pFile(nullptr) {
  const std::string native = MOKToNativePath(path);
  // A NUL inside the text would silently name another file.
  if (!native.empty() && native.find('\0') == std::string::npos)
    _pFile = std::fopen(native.c_str(), "rb");
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
