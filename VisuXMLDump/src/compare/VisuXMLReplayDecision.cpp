#include "compare/VisuXMLReplayDecision.h"

#include "VisuXMLVocabulary.h"
#include "compare/VisuXMLComparisonWalk.h"

namespace {

void AddErrorElement(MOKLightXmlElement& report, const char* message) {
  MOKLightXmlElement error{MOKUnicodeString(VisuXMLVocabulary::kErrorElement)};
  error.SetValue(MOKUnicodeString(message));
  report.AddChild(error);
}

}  // namespace

VisuXMLReplayOutcome VisuXMLDecideReplay(
    VisuXMLFile& reference, VisuXMLFile& output, MOKLightXmlElement& report,
    const VisuXMLComparisonSettings& settings,
    VisuXMLDifferenceListener* listener, unsigned int* differences) {
  if (differences != nullptr) *differences = 0;
  if (reference.IsFileValid() == 0) {
    AddErrorElement(report, VisuXMLVocabulary::kReferenceNotValid);
    return VisuXMLReplayOutcome::ReferenceNotValid;
  }
  if (output.IsFileValid() == 0) {
    AddErrorElement(report, VisuXMLVocabulary::kOutputNotValid);
    return VisuXMLReplayOutcome::OutputNotValid;
  }
  const MOKUnicodeString errorName(VisuXMLVocabulary::kErrorElement);
  if (reference.SearchForMarkup(errorName) != 0 ||
      output.SearchForMarkup(errorName) != 0) {
    AddErrorElement(report, VisuXMLVocabulary::kDocumentHoldsErrors);
    return VisuXMLReplayOutcome::HoldsErrors;
  }
  const unsigned char same = VisuXMLComparisonWalk::Compare(
      reference, &output, report, settings, listener, differences);
  return same != 0 ? VisuXMLReplayOutcome::Same
                   : VisuXMLReplayOutcome::Different;
}
