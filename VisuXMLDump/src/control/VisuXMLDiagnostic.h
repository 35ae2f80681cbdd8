#ifndef VisuXMLDiagnostic_h
#define VisuXMLDiagnostic_h

#include <string>

#include "MOKUnicodeString.h"

// Tells the user, through the host's diagnostic channel, what went wrong
// with a dump. Never throws: a message that cannot be built is dropped.
void VisuXMLReportDiagnostic(const std::string& message);

// A path as the user finds it on disk.
std::string VisuXMLShownPath(const MOKUnicodeString& path);

#endif
