#ifndef ExpatFloor_h
#define ExpatFloor_h

// The floor of every reading benchmark: Expat parsing a file with empty
// callbacks, fed in 64 KiB reads into its own buffer. False when the file
// cannot be opened or is not well-formed.
bool ExpatReads(const char* path);

#endif
