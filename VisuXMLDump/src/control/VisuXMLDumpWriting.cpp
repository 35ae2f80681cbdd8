#include <string>

#include "VisuXMLNoThrow.h"
#include "VisuXMLResultCodes.h"
#include "compare/VisuXMLErrorSearch.h"
#include "control/VisuXMLControlerSteps.h"
#include "control/VisuXMLDiagnostic.h"
#include "control/VisuXMLDocumentWriter.h"

namespace {

// Which dump of which run: "capture of test case T1, dump 3", or
// "interactive dump 3" without a test case.
std::string RunName(const char* run, const MOKUnicodeString* testCase,
                    unsigned int dump) {
  if (testCase == nullptr) return run + (" " + std::to_string(dump));
  return run + (" of test case " + testCase->GetText()) + ", dump " +
         std::to_string(dump);
}

// What a written document holding error elements means for the user.
std::string ErrorWarning(const MOKLightXmlElement& tree,
                         const std::string& path, bool isReference) {
  std::string place;
  std::string message;
  if (!VisuXMLFindFirstError(tree, place, message)) return std::string();
  return "\n  " + path + " holds error elements" +
         (isReference ? ": every replay against this reference will fail"
                      : "") +
         "\n  the first at " + place + ": " + message;
}

}  // namespace

VisuXMLError VisuXMLControlerSteps::WriteDump(
    VisuXMLDumpControler& controler, const MOKUnicodeString& openMarkups) {
  using C = VisuXMLDumpControler;
  const MOKLightXmlElement* tree = controler._pXMLStreamNode;
  const bool directorySet = C::_PathToOutputDirectory.GetLengthInByte() != 0;
  std::string reason;
  // An unset directory names no file: nothing is written at the root of
  // the file system.
  const bool written =
      tree != nullptr && directorySet &&
      VisuXMLWriteDocument(*tree, controler._XMLFileName, 1, &reason) != 0;
  const VisuXMLError result = tree == nullptr || written
                                  ? VisuXMLResult::kSuccess
                                  : VisuXMLResult::kRefused;
  VisuXMLGuard(false, [&]() {
    const bool isReference =
        C::_sTestCaseCaptureMode != 0 || C::_sUpdateDumpMode != 0;
    const char* run = C::_sUpdateDumpMode != 0        ? "update"
                      : C::_sTestCaseCaptureMode != 0 ? "capture"
                                                      : "interactive dump";
    const std::string path = VisuXMLShownPath(controler._XMLFileName);
    std::string text;
    if (tree != nullptr && !directorySet)
      text += std::string("\n  not written: ") +
              (C::_sInteractiveMode != 0 ? "MOKTemp" : "KVB_TRQ_REF") +
              " is unset or empty";
    else if (tree != nullptr && !written)
      text += "\n  not written to " + path + ": " + reason;
    if (openMarkups.GetLengthInByte() != 0)
      text += "\n  markups left open at its end were dropped: " +
              openMarkups.GetText() +
              (tree == nullptr ? "; no outermost markup was closed, so "
                                 "nothing was written"
                               : "");
    if (written) text += ErrorWarning(*tree, path, isReference);
    if (!text.empty())
      VisuXMLReportDiagnostic(
          RunName(run, C::_sInteractiveMode != 0 ? nullptr : &C::_TestCaseName,
                  C::_DumpCounter) +
          ":" + text);
    return true;
  });
  return result;
}
