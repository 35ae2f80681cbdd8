#include "VisuXMLDumpControler.h"

#include <memory>

#include "MOKGetEnv.h"
#include "MOKRecord.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpFileName.h"
#include "VisuXMLMarkup.h"
#include "VisuXMLNoThrow.h"
#include "VisuXMLResultCodes.h"
#include "control/VisuXMLControlerSteps.h"
#include "grammar/VisuXMLMarkupHistory.h"
#include "version/VisuXMLEnvironmentNumber.h"

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

// Only running out of memory is caught around the client's dump: any other
// exception it throws is its own. A dump cut short leaves markups open;
// they are dropped so that the next dump starts from an empty stack.
VisuXMLError VisuXMLDumpControler::InitializeControler() {
  VisuXMLError result = VisuXMLResult::kSuccess;
  const bool completed = VisuXMLGuard(false, [this, &result]() {
    if (_sInitialized == 0) SetXMLFilePaths();
    BuildFileName(_PathToOutputDirectory, 0);
    result = DumpXML();
    return true;
  });
  if (completed) return result;
  VisuXMLMarkup::ClearMarkupsHistory();
  return VisuXMLResult::kNotCreated;
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
    _TestCaseName =
        MOKUnicodeString(testCaseName != nullptr ? testCaseName : "TRQxxx");
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
  _XMLFileName = VisuXMLComposeDumpFileName(
      directory, testCaseName, GetXMLDumpName(), kind, _DumpCounter);
}

namespace {

// Names the markups a dump left open and drops them, so that the next dump
// starts from an empty stack instead of nesting inside them.
MOKUnicodeString TakeOpenMarkups() {
  MOKUnicodeString names;
  if (VisuXMLMarkupHistory::Top() == nullptr) return names;
  if (!VisuXMLGuard(false, [&names]() {
        names = VisuXMLMarkupHistory::DescribeOpenMarkups();
        return true;
      }))
    names = "?";
  VisuXMLMarkup::ClearMarkupsHistory();
  return names;
}

}  // namespace

// Whatever happens to the tree, memory running out included, it is freed
// and the counter moves on. An exhausted memory reads as a document not
// written (2) outside replay, and as a side not created (3) in replay.
VisuXMLError VisuXMLDumpControler::FinishXMLDump() {
  const std::unique_ptr<MOKLightXmlElement> tree(
      VisuXMLMarkup::GetXMLStreamNode());
  const MOKUnicodeString openMarkups = TakeOpenMarkups();
  const bool unclosed = openMarkups.GetLengthInByte() != 0;
  const bool compares = _sTestCaseReplayMode != 0 && _sUpdateDumpMode == 0;
  if (tree == nullptr && (!unclosed || !compares)) {
    if (unclosed) VisuXMLControlerSteps::WriteDump(*this, openMarkups);
    return VisuXMLResult::kSuccess;
  }
  _pXMLStreamNode = tree.get();
  const VisuXMLError result = VisuXMLGuard<VisuXMLError>(
      compares ? VisuXMLResult::kNotCreated : VisuXMLResult::kRefused, [&]() {
        if (!compares)
          return VisuXMLControlerSteps::WriteDump(*this, openMarkups);
        if (unclosed)
          return VisuXMLControlerSteps::FailUnclosedReplay(*this, openMarkups);
        return CompareXML();
      });
  _pXMLStreamNode = nullptr;
  ++_DumpCounter;
  return result;
}
