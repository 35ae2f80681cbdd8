#include "RunReports.h"

#include "JUnitReport.h"
#include "control/VisuXMLDocumentWriter.h"

bool RunReportsWanted(const CompareOptions& options) {
  return !options.junitPath.empty();
}

bool WriteRunReports(const CompareOptions& options,
                     const std::vector<ComparedDump>& dumps,
                     const std::string& suiteName, std::ostream& err) {
  if (options.junitPath.empty()) return true;
  return WriteReportDocument(JUnitReport(dumps, suiteName), "JUnit report",
                             options.junitPath, err);
}

bool WriteReportDocument(const MOKLightXmlElement& document, const char* what,
                         const std::string& path, std::ostream& err) {
  std::string reason;
  if (VisuXMLWriteDocument(document, MOKUnicodeString(path), 0, &reason) != 0)
    return true;
  err << "visuxml-compare: " << path << ": cannot write the " << what << ": "
      << reason << "\n";
  return false;
}
