#ifndef VisuXMLResultCodes_h
#define VisuXMLResultCodes_h

#include "VisuXMLError.h"

// The values of VisuXMLError by what they mean to the caller.
namespace VisuXMLResult {

constexpr VisuXMLError kSuccess = 0;
// A message says what failed: in the last-error string or the document.
constexpr VisuXMLError kFailed = 1;
// Already attached, a root as sub-markup, or a document not written.
constexpr VisuXMLError kRefused = 2;
// Memory ran out or an object was not created; from a replay comparison
// also: nothing to compare.
constexpr VisuXMLError kNotCreated = 3;
// The replay comparison failed: the process will end with exit code 110.
constexpr VisuXMLError kReplayFailed = 6;

}  // namespace VisuXMLResult

#endif
