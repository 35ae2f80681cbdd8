#ifndef RunReports_h
#define RunReports_h

#include <ostream>
#include <string>
#include <vector>

#include "CompareOptions.h"
#include "ComparedDump.h"
#include "MOKLightXmlElement.h"

// True when the options ask for a report of the whole run, which needs
// every difference kept.
bool RunReportsWanted(const CompareOptions& options);

// Writes each report of the whole run the options ask for. False, told on
// err, when one cannot be written.
bool WriteRunReports(const CompareOptions& options,
                     const std::vector<ComparedDump>& dumps,
                     const std::string& suiteName, std::ostream& err);

// Writes the document at the path, replaced whole or not at all. False,
// told on err with what it is and the system's reason, when it cannot.
bool WriteReportDocument(const MOKLightXmlElement& document, const char* what,
                         const std::string& path, std::ostream& err);

#endif
