#ifndef MOKPath_h
#define MOKPath_h

#include <string>

#include "MOKHostExport.h"
#include "MOKUnicodeString.h"

// The library joins directories and file names with a backslash; the host's
// file layer reads every backslash of a path as '/'.
MOKHOST_EXPORT std::string MOKToNativePath(const MOKUnicodeString& path);

#endif
