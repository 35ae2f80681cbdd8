#include "control/VisuXMLDiagnostic.h"

#include "MOKDiagnostic.h"
#include "MOKPath.h"
#include "VisuXMLNoThrow.h"

void VisuXMLReportDiagnostic(const std::string& message) {
  VisuXMLGuard(false, [&message]() {
    MOKReportDiagnostic("VisuXMLDump", MOKUnicodeString(message));
    return true;
  });
}

std::string VisuXMLShownPath(const MOKUnicodeString& path) {
  return MOKToNativePath(path);
}
