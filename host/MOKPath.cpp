#include "MOKPath.h"

#include <algorithm>

std::string MOKToNativePath(const MOKUnicodeString& path) {
  std::string native = path.GetText();
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}
