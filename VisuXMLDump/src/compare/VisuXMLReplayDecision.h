#ifndef VisuXMLReplayDecision_h
#define VisuXMLReplayDecision_h

#include "MOKLightXmlElement.h"
#include "VisuXMLFile.h"
#include "compare/VisuXMLComparisonSettings.h"
#include "compare/VisuXMLDifference.h"

// What a replay decides about a dump and its reference, in the order it
// decides it.
enum class VisuXMLReplayOutcome {
  Same,
  ReferenceNotValid,
  OutputNotValid,
  // A "VisuXMLError" element stands in either document: its differences
  // would only repeat the error, so they are not compared.
  HoldsErrors,
  Different
};

// Decides as a replay does: the reference not valid, then the output not
// valid, then an error element in either, and only then the comparison of
// the two trees under the settings. The report receives the error element
// of the first three, or the result tree of the comparison. *differences,
// when given, receives the number of differences the comparison counted.
VisuXMLReplayOutcome VisuXMLDecideReplay(
    VisuXMLFile& reference, VisuXMLFile& output, MOKLightXmlElement& report,
    const VisuXMLComparisonSettings& settings,
    VisuXMLDifferenceListener* listener, unsigned int* differences = nullptr);

#endif
