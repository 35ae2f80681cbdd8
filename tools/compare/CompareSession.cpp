#include "CompareSession.h"

#include "RealAttributeNames.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLVocabulary.h"
#include "compare/VisuXMLErrorSearch.h"
#include "compare/VisuXMLTreeReading.h"

VisuXMLTolerance ToleranceOf(const CompareOptions& options) {
  if (options.HasToleranceBounds())
    return VisuXMLTolerance::WithBounds(options.absoluteTolerance,
                                        options.relativeTolerance);
  return VisuXMLTolerance::OfDumpVersion(
      options.dumpVersion > 0 ? options.dumpVersion
                              : VisuXMLDumpVersion::GetVersionNumber());
}

namespace {

RealAttributeNames RealNamesOf(const CompareOptions& options,
                               const VisuXMLFile& reference,
                               const VisuXMLFile& output) {
  RealAttributeNames names;
  for (const std::string& name : options.realNames) names.Add(name);
  const MOKLightXmlElement* referenceTree =
      VisuXMLTreeReading::RootOf(reference);
  const MOKLightXmlElement* outputTree = VisuXMLTreeReading::RootOf(output);
  if (options.realAllNumeric && referenceTree != nullptr &&
      outputTree != nullptr)
    names.AddAllNumeric(*referenceTree, *outputTree);
  return names;
}

// Where the first error element stands, the reference looked at first as
// the replay does.
FoundDifference ErrorElementFound(const VisuXMLFile& reference,
                                  const VisuXMLFile& output) {
  FoundDifference found;
  found.kind = DifferenceKind::ErrorElementPresent;
  found.message = VisuXMLVocabulary::kDocumentHoldsErrors;
  std::string ignored;
  const MOKLightXmlElement* tree = VisuXMLTreeReading::RootOf(reference);
  if (tree != nullptr && VisuXMLFindFirstError(*tree, found.path, ignored)) {
    found.path += " (in the reference)";
    return found;
  }
  tree = VisuXMLTreeReading::RootOf(output);
  if (tree != nullptr && VisuXMLFindFirstError(*tree, found.path, ignored))
    found.path += " (in the output)";
  return found;
}

}  // namespace

CompareSession::CompareSession(const CompareOptions& options)
    : _Options(options),
      _Tolerance(ToleranceOf(options)),
      _Report(MOKUnicodeString(VisuXMLVocabulary::kErrorReportRoot)) {}

VisuXMLReplayOutcome CompareSession::Run(DifferenceSink* sink,
                                         DifferenceLocator* locator) {
  _Reference = ReadComparedDocument(_Options.referencePath);
  _Output = ReadComparedDocument(_Options.outputPath);
  for (const ComparedDocument* document : {&_Reference, &_Output})
    if (VisuXMLTreeReading::RootOf(*document->file) == nullptr)
      _Troubles.push_back(FileTrouble{document == &_Reference
                                          ? _Options.referencePath
                                          : _Options.outputPath,
                                      document->reason});
  VisuXMLFile& reference = *_Reference.file;
  VisuXMLFile& output = *_Output.file;
  const RealAttributeNames realNames = RealNamesOf(_Options, reference, output);
  const VisuXMLComparisonSettings settings{_Tolerance, &realNames};
  if (sink == nullptr)
    return VisuXMLDecideReplay(reference, output, _Report, settings, nullptr);
  DifferenceCollector collector(*sink, _Tally, locator);
  const VisuXMLReplayOutcome outcome =
      VisuXMLDecideReplay(reference, output, _Report, settings, &collector);
  if (outcome == VisuXMLReplayOutcome::HoldsErrors)
    collector.Add(ErrorElementFound(reference, output));
  return outcome;
}
