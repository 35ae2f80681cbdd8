#ifndef VisuXMLDumpControler_h
#define VisuXMLDumpControler_h

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLError.h"
#include "VisuXMLExport.h"

// Abstract base of a client's dump controller. Settles the run mode
// (interactive, capture, replay, update), the directories and the test case
// name once per process, runs the client's dump, and writes the finished
// document or, in a replay, compares it with its reference.
class VISUXML_EXPORT VisuXMLDumpControler {
  friend class VisuXMLDumpControlerTestAccess;
  friend class VisuXMLControlerSteps;

 public:
  VisuXMLDumpControler();
  VisuXMLDumpControler(const VisuXMLDumpControler& other);
  VisuXMLDumpControler& operator=(const VisuXMLDumpControler& other);
  // Tears down the whole declared grammar and the open-markup stack.
  virtual ~VisuXMLDumpControler();

  // The client's dump operation, run by InitializeControler.
  virtual VisuXMLError DumpXML() = 0;
  // The dump's name, part of every file name.
  virtual MOKUnicodeString GetXMLDumpName() = 0;

  // Settles modes and paths (first call of the process), builds the output
  // file name and runs DumpXML, whose result it returns.
  VisuXMLError InitializeControler();
  // Writes the stream's finished tree, or compares it in a replay.
  VisuXMLError FinishXMLDump();

  // Writes the value with two decimals, or four when fourDecimals is
  // non-zero, rounded half away from zero (unrounded in version 1).
  static void BuildUnicodeStringFromFloatValue(float value,
                                               MOKUnicodeString& text,
                                               unsigned char fourDecimals);

 protected:
  // When exactly 1 as the modes are settled, the process replays.
  unsigned char _ForceReplayMode;
  // The output file after InitializeControler; the reference file once a
  // replay comparison has run.
  MOKUnicodeString _XMLFileName;
  MOKLightXmlElement* _pXMLStreamNode;

  static unsigned char _sInteractiveMode;
  static unsigned char _sTestCaseReplayMode;
  static unsigned char _sTestCaseCaptureMode;
  static unsigned char _sUpdateDumpMode;
  // Free for derived controllers; the controller itself never uses it.
  static unsigned char _sErrorReportingMode;

 private:
  void SetXMLFilePaths();
  void BuildFileName(const MOKUnicodeString& directory,
                     unsigned int referenceFile);
  void BuildErrorFileName(MOKUnicodeString& errorFileName);
  VisuXMLError CompareXML();

  static unsigned int _DumpCounter;
  static MOKUnicodeString _PathToInputDirectory;
  static MOKUnicodeString _PathToOutputDirectory;
  static MOKUnicodeString _TestCaseName;
  static unsigned char _sInitialized;
  static unsigned char _sComparisonFailed;
};

#endif
