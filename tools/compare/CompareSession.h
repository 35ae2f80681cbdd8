#ifndef CompareSession_h
#define CompareSession_h

#include <string>
#include <vector>

#include "CompareOptions.h"
#include "Difference.h"
#include "DifferenceCollector.h"
#include "DocumentInput.h"
#include "MOKLightXmlElement.h"
#include "compare/VisuXMLComparisonSettings.h"
#include "compare/VisuXMLReplayDecision.h"

// A file that could not be read, and why.
struct FileTrouble {
  std::string name;
  std::string reason;
};

// The tolerance rule the options give: their bounds when they set any,
// else the rule of the dump version they name or the library's own.
VisuXMLTolerance ToleranceOf(const CompareOptions& options);

// One comparison of two dumps with the settings its options give: each
// file read once, then decided as a replay decides (reference not valid,
// output not valid, an error element in either, the tree comparison).
class CompareSession {
 public:
  explicit CompareSession(const CompareOptions& options);

  // Runs the comparison. Each difference goes to the sink, placed, and
  // first to the locator when there is one; without a sink only the
  // outcome and the report are made, and the tally stays empty. The
  // documents stay with the session. Throws std::bad_alloc when memory
  // runs out.
  VisuXMLReplayOutcome Run(DifferenceSink* sink,
                           DifferenceLocator* locator = nullptr);

  const CompareOptions& GetOptions() const { return _Options; }
  // The files that could not be read, the reference first.
  const std::vector<FileTrouble>& GetTroubles() const { return _Troubles; }
  const DifferenceTally& GetTally() const { return _Tally; }
  // The error report, as a failed replay would write it.
  const MOKLightXmlElement& GetReport() const { return _Report; }
  const VisuXMLTolerance& GetTolerance() const { return _Tolerance; }

 private:
  const CompareOptions& _Options;
  VisuXMLTolerance _Tolerance;
  ComparedDocument _Reference;
  ComparedDocument _Output;
  std::vector<FileTrouble> _Troubles;
  DifferenceTally _Tally;
  MOKLightXmlElement _Report;
};

#endif
