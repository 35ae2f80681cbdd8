#ifndef VisuXMLError_h
#define VisuXMLError_h

#include <cstdint>

#include "VisuXMLExport.h"

// Result code of every operation that can fail.
//   0 success
//   1 failure, with a message (last-error string or the document)
//   2 refused (already attached, root as sub-markup); from FinishXMLDump,
//     the document was not written
//   3 memory ran out or an object was not created; from a replay's
//     FinishXMLDump, also: nothing to compare
//   6 the replay comparison failed
typedef unsigned int VisuXMLError;

// Value type of a declared attribute. Any other value is kept as given and
// compared as text.
enum VisuXMLTypeOfAttribute : std::int32_t {
  VisuXMLTextAttribute = 0,
  VisuXMLRealAttribute = 2
};

// Kind of a declared markup; any non-zero value is a standard markup.
enum VisuXMLTypeOfMarkup : std::int32_t {
  VisuXMLRootMarkup = 0,
  VisuXMLStandardMarkup = 1
};

// How an attribute belongs to a markup. Any other value: never required,
// always written ("???" when unset).
enum VisuXMLAttributeToMarkupLink : std::int32_t {
  VisuXMLRequiredAttribute = 0,
  VisuXMLOptionalAttribute = 1
};

// How often a sub-markup must appear in its parent, checked when the parent
// closes: VisuXMLOnlyOnce exactly once, VisuXMLAtLeastOnce once or more.
// VisuXMLNotValid makes every close of the parent report the sub-markup as
// "not valid", whether it appeared or not. Any value not named here: any
// number of times, none included.
enum VisuXMLMarkupToMarkupLink : std::int32_t {
  VisuXMLOnlyOnce = 0,
  VisuXMLAtLeastOnce = 1,
  VisuXMLNotValid = 4
};

// Marker by which the host recognises the library; returns 1.
extern "C" VISUXML_EXPORT int VARNOK_ZBX2_INTERNAL_VisuXMLDump(void);

#endif
