#include "VisuXMLDumpVersion.h"

#include "MOKGetEnv.h"
#include "MOKRecord.h"
#include "VisuXMLNoThrow.h"
#include "version/VisuXMLEnvironmentNumber.h"

int VisuXMLDumpVersion::_DumpVersion = 6;
unsigned char VisuXMLDumpVersion::_VersionInitialized = 0;

// The record service may run out of memory while it looks the level up or
// stores it. The version then stays unsettled, so that a later call settles
// it whole, and this call answers the version as it stands.
int VisuXMLDumpVersion::GetVersionNumber() {
  if (_VersionInitialized == 0 && VisuXMLGuard(false, []() {
        InitializeDumpVersion();
        return true;
      }))
    _VersionInitialized = 1;
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
