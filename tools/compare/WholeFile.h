#ifndef WholeFile_h
#define WholeFile_h

#include <string>

// Writes the content to a temporary file beside path and renames it over
// path, so the file is replaced whole or not at all; it gets the mode a
// new file gets. Empty when written, else the system's reason.
std::string ReplaceFileWhole(const std::string& path,
                             const std::string& content);

#endif
