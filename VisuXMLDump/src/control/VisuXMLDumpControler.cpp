#include "VisuXMLDumpControler.h"

#include "MOKGetEnv.h"
#include "MOKRecord.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDocumentWriter.h"
#include "VisuXMLDumpFileName.h"
#include "VisuXMLEnvironmentNumber.h"
#include "VisuXMLMarkup.h"

unsigned int VisuXMLDumpControler::_DumpCounter = 1;
MOKUnicodeString VisuXMLDumpControler::_PathToInputDirectory;
MOKUnicodeString VisuXMLDumpControler::_PathToOutputDirectory;
MOKUnicodeString VisuXMLDumpControler::_TestCaseName;
unsigned char VisuXMLDumpControler::_sInitialized = 0;
unsigned char VisuXMLDumpControler::_sComparisonFailed = 0;
unsigned char VisuXMLDumpControler::_sInteractiveMode = 0;
unsigned char VisuXMLDumpControler::_sTestCaseReplayMode = 0;
unsigned char VisuXMLDumpControler::_sTestCaseCaptureMode = 0;
unsigned char VisuXMLDumpControler::_sUpdateDumpMode = 0;
unsigned char VisuXMLDumpControler::_sErrorReportingMode = 0;

namespace {

// The variable's value, empty when it is not set.
MOKUnicodeString EnvironmentText(const char* name) {
  return MOKUnicodeString(MOKGetEnv(name));
}

}  // namespace

VisuXMLDumpControler::VisuXMLDumpControler()
    : _ForceReplayMode(0), _XMLFileName(), _pXMLStreamNode(nullptr) {}

VisuXMLDumpControler::VisuXMLDumpControler(const VisuXMLDumpControler& other)
    : _ForceReplayMode(other._ForceReplayMode),
      _XMLFileName(other._XMLFileName),
      _pXMLStreamNode(other._pXMLStreamNode) {}

VisuXMLDumpControler& VisuXMLDumpControler::operator=(
    const VisuXMLDumpControler& other) {
  _ForceReplayMode = other._ForceReplayMode;
  _XMLFileName = other._XMLFileName;
  _pXMLStreamNode = other._pXMLStreamNode;
  return *this;
}

// The grammar is process-wide: whichever controller goes takes it along,
// markups first since they point at the declared attributes.
VisuXMLDumpControler::~VisuXMLDumpControler() {
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLMarkup::ClearMarkupsHistory();
  VisuXMLAttribute::DestroyAttributes();
  _pXMLStreamNode = nullptr;
}

VisuXMLError VisuXMLDumpControler::InitializeControler() {
  if (_sInitialized == 0) SetXMLFilePaths();
  BuildFileName(_PathToOutputDirectory, 0);
  return DumpXML();
}

void VisuXMLDumpControler::SetXMLFilePaths() {
  _sInteractiveMode = 1;
  _sTestCaseReplayMode = 0;
  _sTestCaseCaptureMode = 0;
  if (_ForceReplayMode == 1) {
    _sTestCaseReplayMode = 1;
    _sInteractiveMode = 0;
  } else if (MOKRecord* record = MOKRecord::GetMain()) {
    _sTestCaseReplayMode = record->IsReplay() != 0 ? 1 : 0;
    _sTestCaseCaptureMode = record->IsCapture() != 0 ? 1 : 0;
    if (_sTestCaseReplayMode != 0 || _sTestCaseCaptureMode != 0)
      _sInteractiveMode = 0;
  }

  if (_sInteractiveMode != 0) {
    _PathToInputDirectory = MOKUnicodeString();
    _PathToOutputDirectory = EnvironmentText("MOKTemp");
  } else {
    const char* testCaseName = MOKGetEnv("TRQ_LOG_NAME");
    _TestCaseName = MOKUnicodeString(testCaseName != nullptr ? testCaseName
                                                             : "TRQxxx");
    const char* update = MOKGetEnv("UpdateVisuXMLDump");
    _sUpdateDumpMode =
        update != nullptr && VisuXMLConvertAsAtoi(update) > 0 ? 1 : 0;
    if (_sTestCaseCaptureMode != 0 || _sUpdateDumpMode != 0) {
      _PathToInputDirectory = MOKUnicodeString();
      _PathToOutputDirectory = EnvironmentText("KVB_TRQ_REF");
    } else {
      _PathToInputDirectory = EnvironmentText("KVB_TRQ_REF");
      _PathToOutputDirectory = EnvironmentText("KVB_TRQ_OUT");
    }
  }
  _sInitialized = 1;
}

void VisuXMLDumpControler::BuildFileName(const MOKUnicodeString& directory,
                                         unsigned int referenceFile) {
  const char* kind = "";
  if (_sTestCaseCaptureMode != 0 || _sUpdateDumpMode != 0)
    kind = "_Ref_";
  else if (_sTestCaseReplayMode != 0)
    kind = referenceFile != 0 ? "_Ref_" : "_Out_";
  const MOKUnicodeString* testCaseName =
      _sInteractiveMode != 0 ? nullptr : &_TestCaseName;
  _XMLFileName = VisuXMLComposeDumpFileName(directory, testCaseName,
                                            GetXMLDumpName(), kind,
                                            _DumpCounter);
}

VisuXMLError VisuXMLDumpControler::FinishXMLDump() {
  _pXMLStreamNode = VisuXMLMarkup::GetXMLStreamNode();
  if (_pXMLStreamNode == nullptr) return 0;

  VisuXMLError result = 0;
  if (_sTestCaseReplayMode != 0 && _sUpdateDumpMode == 0)
    result = CompareXML();
  else
    result = VisuXMLWriteDocument(*_pXMLStreamNode, _XMLFileName, 1) != 0 ? 0 : 2;

  delete _pXMLStreamNode;
  _pXMLStreamNode = nullptr;
  ++_DumpCounter;
  return result;
}
