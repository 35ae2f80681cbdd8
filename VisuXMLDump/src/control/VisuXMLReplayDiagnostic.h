#ifndef VisuXMLReplayDiagnostic_h
#define VisuXMLReplayDiagnostic_h

#include <string>
#include <vector>

#include "compare/VisuXMLReplayDecision.h"

// One written file of a failed replay: where, and why not when it was not.
struct VisuXMLReplayFile {
  std::string _Path;
  // Empty when the file was written.
  std::string _NotWritten;
};

// Everything the user must know of one failed replay.
struct VisuXMLReplayFailure {
  std::string _TestCase;
  unsigned int _uiDump;
  VisuXMLReplayOutcome _Outcome;
  std::string _ReferencePath;
  // Why the reference is not valid.
  std::string _ReferenceReason;
  VisuXMLReplayFile _Output;
  VisuXMLReplayFile _Report;
  unsigned int _uiDifferences;
  // The first differences, one line each.
  std::vector<std::string> _FirstDifferences;
  // The markups a dump left open, outermost first.
  std::string _OpenMarkups;
  // The first error element, when a document holds one.
  std::string _ErrorDocument;
  std::string _ErrorPlace;
  std::string _ErrorMessage;
};

// The diagnostic of a failed replay: which dump, why, and where its files
// are; for differences, how many and the first few.
std::string VisuXMLDescribeReplayFailure(const VisuXMLReplayFailure& failure);

#endif
