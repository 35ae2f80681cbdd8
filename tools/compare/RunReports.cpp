#include "RunReports.h"

#include "ComparePage.h"
#include "CompareSession.h"
#include "JUnitReport.h"
#include "WholeFile.h"
#include "control/VisuXMLDocumentWriter.h"

namespace {

const char kProgram[] = "visuxml-compare: ";

bool WriteComparePage(const CompareOptions& options,
                      const std::vector<ComparedDump>& dumps,
                      std::ostream& err) {
  std::vector<const DumpRecord*> records;
  for (const ComparedDump& dump : dumps)
    if (dump.page != nullptr) records.push_back(dump.page.get());
  const std::string reason = ReplaceFileWhole(
      options.htmlPath,
      MakeComparePage(records, PageSettingsOf(options, ToleranceOf(options))));
  if (reason.empty()) return true;
  err << kProgram << options.htmlPath << ": cannot write the page: " << reason
      << "\n";
  return false;
}

}  // namespace

RunReportNeeds RunReportNeedsOf(const CompareOptions& options) {
  RunReportNeeds needs;
  needs.differences = !options.junitPath.empty();
  needs.page = !options.htmlPath.empty();
  return needs;
}

bool WriteRunReports(const CompareOptions& options,
                     const std::vector<ComparedDump>& dumps,
                     const std::string& suiteName, std::ostream& err) {
  bool written = true;
  if (!options.junitPath.empty())
    written = WriteReportDocument(JUnitReport(dumps, suiteName), "JUnit report",
                                  options.junitPath, err);
  if (!options.htmlPath.empty())
    written = WriteComparePage(options, dumps, err) && written;
  return written;
}

bool WriteReportDocument(const MOKLightXmlElement& document, const char* what,
                         const std::string& path, std::ostream& err) {
  std::string reason;
  if (VisuXMLWriteDocument(document, MOKUnicodeString(path), 0, &reason) != 0)
    return true;
  err << kProgram << path << ": cannot write the " << what << ": " << reason
      << "\n";
  return false;
}
