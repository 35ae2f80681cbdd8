#ifndef PageRows_h
#define PageRows_h

#include <string>

#include "Difference.h"
#include "DumpRecord.h"

// The kind's name in the page's filter and rows; the style sheet colours
// rows by it and the script filters by it.
const char* KindCode(DifferenceKind kind);

// Appends the dump's table: its reduced reference tree, one row per
// element on the way to a difference and one per difference, in document
// order, each with its depth for the script to fold and filter.
void AppendTreeTable(std::string& page, const DumpRecord& dump);

#endif
