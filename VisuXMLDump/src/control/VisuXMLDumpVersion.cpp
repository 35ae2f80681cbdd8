#include "VisuXMLDumpVersion.h"

#include "MOKGetEnv.h"
#include "MOKRecord.h"
#include "VisuXMLEnvironmentNumber.h"

int VisuXMLDumpVersion::_DumpVersion = 6;
unsigned char VisuXMLDumpVersion::_VersionInitialized = 0;

int VisuXMLDumpVersion::GetVersionNumber() {
  if (_VersionInitialized == 0) {
    InitializeDumpVersion();
    _VersionInitialized = 1;
  }
  return _DumpVersion;
}

// A capture records the built-in version before the environment is read,
// so a captured record always holds the version this library writes.
void VisuXMLDumpVersion::InitializeDumpVersion() {
  MOKRecord* record = MOKRecord::GetMain();
  if (record != nullptr) {
    if (record->IsCapture() != 0)
      record->SetSoftwareRecordLevel("VisuXMLDumpLevel", _DumpVersion);
    else if (record->IsReplay() != 0)
      record->GetSoftwareRecordLevel("VisuXMLDumpLevel", &_DumpVersion);
  }
  const char* forcedVersion = MOKGetEnv("VISU_XML_DUMP_VERSION");
  if (forcedVersion != nullptr)
    _DumpVersion = VisuXMLConvertAsAtoi(forcedVersion);
}
