#include "control/VisuXMLReplayDiagnostic.h"

namespace {

std::string Plural(unsigned int count, const char* word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

std::string Reason(const VisuXMLReplayFailure& failure) {
  switch (failure._Outcome) {
    case VisuXMLReplayOutcome::ReferenceNotValid:
      return "the reference is not valid: " + failure._ReferenceReason;
    case VisuXMLReplayOutcome::OutputNotValid:
      if (!failure._OpenMarkups.empty())
        return "the dump left markups open at its end (" +
               failure._OpenMarkups + "), so it has no complete document";
      return "the dump could not be held for comparison: out of memory";
    case VisuXMLReplayOutcome::HoldsErrors:
      return "the " + failure._ErrorDocument +
             " holds an error element, so nothing was compared";
    default:
      return Plural(failure._uiDifferences, "difference") +
             " with the reference";
  }
}

std::string FileLine(const char* label, const VisuXMLReplayFile& file) {
  std::string line = std::string("  ") + label + file._Path;
  if (!file._NotWritten.empty())
    line += " (not written: " + file._NotWritten + ")";
  return line + "\n";
}

std::string Details(const VisuXMLReplayFailure& failure) {
  std::string text;
  if (failure._Outcome == VisuXMLReplayOutcome::HoldsErrors)
    return "  " + failure._ErrorPlace + ": " + failure._ErrorMessage + "\n";
  for (const std::string& line : failure._FirstDifferences)
    text += "  " + line + "\n";
  const std::size_t shown = failure._FirstDifferences.size();
  if (failure._uiDifferences > shown)
    text += "  ... and " + std::to_string(failure._uiDifferences - shown) +
            " more in the report\n";
  return text;
}

}  // namespace

std::string VisuXMLDescribeReplayFailure(const VisuXMLReplayFailure& failure) {
  return "replay of test case " + failure._TestCase + ", dump " +
         std::to_string(failure._uiDump) + ", failed: " + Reason(failure) +
         "\n  reference: " + failure._ReferencePath + "\n" +
         FileLine("output:    ", failure._Output) +
         FileLine("report:    ", failure._Report) + Details(failure) +
         "  the process will end with exit code 110";
}
