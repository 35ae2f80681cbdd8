#include <memory>
#include <new>
#include <utility>

#include "MOKExit.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLFile.h"
#include "VisuXMLNoThrow.h"
#include "VisuXMLResultCodes.h"
#include "VisuXMLVocabulary.h"
#include "compare/VisuXMLErrorSearch.h"
#include "compare/VisuXMLProcessSettings.h"
#include "compare/VisuXMLReplayDecision.h"
#include "compare/VisuXMLTreeReading.h"
#include "control/VisuXMLComparisonExitHook.h"
#include "control/VisuXMLControlerSteps.h"
#include "control/VisuXMLDiagnostic.h"
#include "control/VisuXMLDifferenceDigest.h"
#include "control/VisuXMLDocumentWriter.h"
#include "control/VisuXMLDumpFileName.h"
#include "control/VisuXMLReplayDiagnostic.h"

namespace {

const char kReferenceDirectoryUnset[] = "KVB_TRQ_REF is unset or empty";
const char kOutputDirectoryUnset[] = "KVB_TRQ_OUT is unset or empty";

// A path as the user finds it; without its directory, only the file name.
std::string ShownPath(const MOKUnicodeString& path, bool directorySet) {
  const std::string shown = VisuXMLShownPath(path);
  return directorySet || shown.empty() ? shown : shown.substr(1);
}

// The reference as a file, read once; null when the file itself cannot be
// created. An unset directory names no file: nothing is read from the
// root of the file system.
VisuXMLFile* ReadReference(const MOKUnicodeString& path, bool directorySet,
                           std::string& reason) {
  MOKLightXmlElement tree;
  bool read = false;
  if (!directorySet)
    reason = kReferenceDirectoryUnset;
  else if (!VisuXMLGuard(false, [&]() {
             read = VisuXMLReadTree(path, tree, &reason);
             return true;
           }))
    reason = "out of memory";
  return VisuXMLTreeReading::NewFileHolding(std::move(tree), read);
}

// Writes one file of a failed replay; an unset directory names no file:
// nothing is written at the root of the file system.
bool WriteReplayFile(const MOKLightXmlElement& tree,
                     const MOKUnicodeString& path, bool directorySet) {
  return directorySet && VisuXMLWriteDocument(tree, path, 0) != 0;
}

VisuXMLReplayFile DescribeReplayFile(const MOKUnicodeString& path,
                                     bool directorySet, bool written) {
  VisuXMLReplayFile file{ShownPath(path, directorySet), std::string()};
  if (!directorySet)
    file._NotWritten = kOutputDirectoryUnset;
  else if (!written)
    file._NotWritten = "it cannot be written there";
  return file;
}

// Where the first error element stands, the reference looked at first as
// the replay does.
void LocateFirstError(const VisuXMLFile& reference, const VisuXMLFile& output,
                      VisuXMLReplayFailure& failure) {
  const MOKLightXmlElement* referenceTree =
      VisuXMLTreeReading::RootOf(reference);
  if (referenceTree != nullptr &&
      VisuXMLFindFirstError(*referenceTree, failure._ErrorPlace,
                            failure._ErrorMessage)) {
    failure._ErrorDocument = "reference";
    return;
  }
  failure._ErrorDocument = "dump";
  const MOKLightXmlElement* outputTree = VisuXMLTreeReading::RootOf(output);
  if (outputTree != nullptr)
    VisuXMLFindFirstError(*outputTree, failure._ErrorPlace,
                          failure._ErrorMessage);
}

}  // namespace

int ComparisonFailedExitHook(int /*argument*/) {
  MOKExit(110);
  return 0;
}

void VisuXMLDumpControler::BuildErrorFileName(MOKUnicodeString& errorFileName) {
  const MOKUnicodeString* testCaseName =
      _sInteractiveMode != 0 ? nullptr : &_TestCaseName;
  errorFileName =
      VisuXMLComposeDumpFileName(_PathToOutputDirectory, testCaseName,
                                 GetXMLDumpName(), "_Error_", _DumpCounter);
}

VisuXMLError VisuXMLDumpControler::CompareXML() {
  // InitializeControler named the output file; the reference name replaces
  // it below.
  const MOKUnicodeString outputFileName(_XMLFileName);
  if (_pXMLStreamNode == nullptr) return VisuXMLResult::kNotCreated;
  // Owned here: names and the report may run out of memory and throw.
  std::unique_ptr<VisuXMLFile> output(new (std::nothrow)
                                          VisuXMLFile(*_pXMLStreamNode));
  if (output == nullptr) return VisuXMLResult::kNotCreated;
  BuildFileName(_PathToInputDirectory, 1);
  VisuXMLReplayFailure failure{};
  std::unique_ptr<VisuXMLFile> reference(
      ReadReference(_XMLFileName, _PathToInputDirectory.GetLengthInByte() != 0,
                    failure._ReferenceReason));
  if (reference == nullptr) return VisuXMLResult::kNotCreated;

  MOKLightXmlElement report{
      MOKUnicodeString(VisuXMLVocabulary::kErrorReportRoot)};
  VisuXMLDifferenceDigest digest;
  failure._Outcome =
      VisuXMLDecideReplay(*reference, *output, report, VisuXMLProcessSettings(),
                          &digest, &failure._uiDifferences);
  if (failure._Outcome == VisuXMLReplayOutcome::Same)
    return VisuXMLResult::kSuccess;
  if (failure._Outcome == VisuXMLReplayOutcome::HoldsErrors)
    LocateFirstError(*reference, *output, failure);
  output.reset();
  reference.reset();
  failure._FirstDifferences = digest.GetLines();
  return VisuXMLControlerSteps::FailReplay(*this, outputFileName, report,
                                           failure);
}

// A dump cut short has no complete document to compare: its output is not
// valid, whatever tree an earlier outermost markup left.
VisuXMLError VisuXMLControlerSteps::FailUnclosedReplay(
    VisuXMLDumpControler& controler, const MOKUnicodeString& openMarkups) {
  const MOKUnicodeString outputFileName(controler._XMLFileName);
  controler.BuildFileName(VisuXMLDumpControler::_PathToInputDirectory, 1);
  VisuXMLReplayFailure failure{};
  failure._Outcome = VisuXMLReplayOutcome::OutputNotValid;
  failure._OpenMarkups = openMarkups.GetText();
  MOKLightXmlElement report{
      MOKUnicodeString(VisuXMLVocabulary::kErrorReportRoot)};
  MOKLightXmlElement error{MOKUnicodeString(VisuXMLVocabulary::kErrorElement)};
  error.SetValue(MOKUnicodeString(VisuXMLVocabulary::kOutputNotValid));
  report.AddChild(std::move(error));
  return FailReplay(controler, outputFileName, report, failure);
}

// Writes the output and the report, arms the exit hook and tells the user.
VisuXMLError VisuXMLControlerSteps::FailReplay(
    VisuXMLDumpControler& controler, const MOKUnicodeString& outputFileName,
    const MOKLightXmlElement& report, VisuXMLReplayFailure& failure) {
  using C = VisuXMLDumpControler;
  const bool outputDirectorySet =
      C::_PathToOutputDirectory.GetLengthInByte() != 0;
  const MOKLightXmlElement* tree = controler._pXMLStreamNode;
  const bool outputWritten =
      tree != nullptr &&
      WriteReplayFile(*tree, outputFileName, outputDirectorySet);
  MOKUnicodeString errorFileName;
  controler.BuildErrorFileName(errorFileName);
  const bool reportWritten =
      WriteReplayFile(report, errorFileName, outputDirectorySet);
  if (C::_sComparisonFailed == 0) {
    MOKCallOnExit(ComparisonFailedExitHook, 1);
    C::_sComparisonFailed = 1;
  }
  // The replay has failed whatever becomes of its diagnostic.
  VisuXMLGuard(false, [&]() {
    failure._TestCase = C::_TestCaseName.GetText();
    failure._uiDump = C::_DumpCounter;
    failure._ReferencePath =
        ShownPath(controler._XMLFileName,
                  C::_PathToInputDirectory.GetLengthInByte() != 0);
    failure._Output =
        DescribeReplayFile(outputFileName, outputDirectorySet, outputWritten);
    if (tree == nullptr)
      failure._Output._NotWritten = "no outermost markup was closed";
    failure._Report =
        DescribeReplayFile(errorFileName, outputDirectorySet, reportWritten);
    VisuXMLReportDiagnostic(VisuXMLDescribeReplayFailure(failure));
    return true;
  });
  return VisuXMLResult::kReplayFailed;
}
