#ifndef RunReports_h
#define RunReports_h

#include <ostream>
#include <string>
#include <vector>

#include "CompareOptions.h"
#include "ComparedDump.h"
#include "MOKLightXmlElement.h"

// What each compared pair keeps for the reports of the whole run the
// options ask for: its differences for the JUnit report, its record for
// the HTML page.
struct RunReportNeeds {
  bool differences = false;
  bool page = false;

  bool Any() const { return differences || page; }
};

RunReportNeeds RunReportNeedsOf(const CompareOptions& options);

// Writes each report of the whole run the options ask for: the JUnit
// report, one suite of that name, and the HTML page of every dump. False,
// told on err, when one cannot be written.
bool WriteRunReports(const CompareOptions& options,
                     const std::vector<ComparedDump>& dumps,
                     const std::string& suiteName, std::ostream& err);

// Writes the document at the path, replaced whole or not at all. False,
// told on err with what it is and the system's reason, when it cannot.
bool WriteReportDocument(const MOKLightXmlElement& document, const char* what,
                         const std::string& path, std::ostream& err);

#endif
