#ifndef GuideSamples_h
#define GuideSamples_h

#include <ostream>

#include "MOKLightXmlElement.h"
#include "VisuXMLError.h"

// Runs one dump of a two-markup document without the interactive command:
// the controller alone, as batch code of a host module would use it.
VisuXMLError RunDirectDump();

// Prints the markup class's last-error message on a line of its own.
void PrintMarkupError(std::ostream& out);

// An error report as a failed replay writes it.
extern const char kSampleErrorReport[];

// Number of "VisuXMLError" elements anywhere in a report.
unsigned int CountReportErrors(const MOKLightXmlElement& report);

#endif
