#ifndef PageRows_h
#define PageRows_h

#include <string>

#include "Difference.h"
#include "DumpRecord.h"

// The kind's name in the page's filter and rows; the style sheet colours
// rows by it and the script filters by it.
const char* KindCode(DifferenceKind kind);

// Appends the dump's table, empty, and its rows as JSON data that the
// page's script lays out as the reader gets to them: a page of 10,000
// differences then opens as fast as one of a hundred. The rows are the
// reduced reference tree in document order, each an array:
//   element:    [0, depth, step, differs, levels left out,
//                attributes not shown, children without differences,
//                [name, value, differs, name, value, differs, ...]]
//   difference: [1, depth, kind, step, reference, output, |R-O|,
//                |R-O|/|R|, compared as]
// with null for the side that lacks the attribute or element, and for a
// difference without values the message as its reference.
void AppendTreeTable(std::string& page, const DumpRecord& dump);

#endif
