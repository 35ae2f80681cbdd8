#ifndef VisuXMLDumpVersion_h
#define VisuXMLDumpVersion_h

#include "VisuXMLExport.h"

// The dump format version of the process: 6 unless a replayed record or the
// "VISU_XML_DUMP_VERSION" environment variable says otherwise. Settled on
// first use and fixed for the rest of the process.
class VISUXML_EXPORT VisuXMLDumpVersion {
  friend class VisuXMLDumpVersionTestAccess;

 public:
  static int GetVersionNumber();

 private:
  static void InitializeDumpVersion();

  static int _DumpVersion;
  static unsigned char _VersionInitialized;
};

#endif
