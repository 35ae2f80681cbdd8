#ifndef MOKFile_h
#define MOKFile_h

#include <cstddef>

#include "MOKHostExport.h"
#include "MOKUnicodeString.h"

// Opens a file with an fopen-style mode ("r", "w", "a", optionally with "+"
// and "b"). Backslashes in the path are read as '/'. 0 and the descriptor
// on success; negative on failure, the descriptor then untouched.
// Appending ("a", "ab") to a file that this process's living
// MOKLightXmlOutputFile has just committed under that very path extends
// that file, even if another process has replaced it under the name since:
// the bytes stay with the document they complete.
MOKHOST_EXPORT long MOKFOpen(const MOKUnicodeString* path, const char* mode,
                             unsigned int* descriptor);

// Writes count bytes; *written receives the number of bytes written.
// 0 when all were written, negative otherwise.
MOKHOST_EXPORT long MOKFWrite(unsigned int descriptor, const void* buffer,
                              std::size_t count, int* written);

// Closes the descriptor; 0 on success, negative otherwise.
MOKHOST_EXPORT long MOKFClose(unsigned int descriptor);

#endif
