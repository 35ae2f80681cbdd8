#include "MOKExit.h"
#include "VisuXMLComparisonExitHook.h"
#include "VisuXMLDocumentWriter.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLDumpFileName.h"
#include "VisuXMLFile.h"

#include <memory>
#include <new>

namespace {

const char* const kErrorElementName = "VisuXMLError";

void AddErrorElement(MOKLightXmlElement& report, const char* message) {
  MOKLightXmlElement error{MOKUnicodeString(kErrorElementName)};
  error.SetValue(MOKUnicodeString(message));
  report.AddChild(error);
}

// Fills the report and tells whether the replay failed. Documents that
// already carry an error element are not compared: their differences
// would only repeat the error.
bool ComparisonFailed(VisuXMLFile& reference, VisuXMLFile& output,
                      MOKLightXmlElement& report) {
  if (reference.IsFileValid() == 0) {
    AddErrorElement(report, "The reference file is not valid.");
    return true;
  }
  if (output.IsFileValid() == 0) {
    AddErrorElement(report, "The output file is not valid.");
    return true;
  }
  const MOKUnicodeString errorName(kErrorElementName);
  if (reference.SearchForMarkup(errorName) != 0 ||
      output.SearchForMarkup(errorName) != 0) {
    AddErrorElement(report,
                    "The reference file or the output file contains XML "
                    "error - No XML comparison is possible.");
    return true;
  }
  return reference.Compare(&output, report) == 0;
}

}  // namespace

int ComparisonFailedExitHook(int /*argument*/) {
  MOKExit(110);
  return 0;
}

void VisuXMLDumpControler::BuildErrorFileName(MOKUnicodeString& errorFileName) {
  const MOKUnicodeString* testCaseName =
      _sInteractiveMode != 0 ? nullptr : &_TestCaseName;
  errorFileName = VisuXMLComposeDumpFileName(
      _PathToOutputDirectory, testCaseName, GetXMLDumpName(), "_Error_",
      _DumpCounter);
}

VisuXMLError VisuXMLDumpControler::CompareXML() {
  // InitializeControler named the output file; the reference name replaces
  // it below.
  const MOKUnicodeString outputFileName(_XMLFileName);
  if (_pXMLStreamNode == nullptr) return 3;
  // Owned here: names and the report may run out of memory and throw.
  std::unique_ptr<VisuXMLFile> output(new (std::nothrow)
                                          VisuXMLFile(*_pXMLStreamNode));
  if (output == nullptr) return 3;
  BuildFileName(_PathToInputDirectory, 1);
  std::unique_ptr<VisuXMLFile> reference(new (std::nothrow)
                                             VisuXMLFile(_XMLFileName));
  if (reference == nullptr) return 3;

  MOKLightXmlElement report{MOKUnicodeString("VisuXMLErrorReport")};
  const bool failed = ComparisonFailed(*reference, *output, report);
  output.reset();
  reference.reset();
  if (!failed) return 0;

  // Unwritable files are not reported: the exit code already tells.
  VisuXMLWriteDocument(*_pXMLStreamNode, outputFileName, 0);
  MOKUnicodeString errorFileName;
  BuildErrorFileName(errorFileName);
  VisuXMLWriteDocument(report, errorFileName, 0);
  if (_sComparisonFailed == 0) {
    MOKCallOnExit(ComparisonFailedExitHook, 1);
    _sComparisonFailed = 1;
  }
  return 6;
}
