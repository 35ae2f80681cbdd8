#include "CompareRun.h"

#include <sys/stat.h>

#include <string>
#include <vector>

#include "DirectoryReview.h"
#include "PairComparison.h"
#include "RunReports.h"

namespace {

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat a, b;
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A report or a page written over one of the dumps would destroy what it
// tells of.
bool WritesSpareTheInputs(const CompareOptions& options, std::ostream& err) {
  for (const std::string* written :
       {&options.reportPath, &options.junitPath, &options.htmlPath})
    for (const std::string* input :
         {&options.referencePath, &options.outputPath})
      if (!written->empty() && *input != kStandardInputName &&
          IsSameFile(*written, *input)) {
        err << "visuxml-compare: " << *written
            << (written == &options.htmlPath ? ": the page" : ": the report")
            << " would replace a compared file\n";
        return false;
      }
  return true;
}

}  // namespace

int RunCompare(CompareSession& session, std::ostream& out, std::ostream& err) {
  const CompareOptions& options = session.GetOptions();
  if (!WritesSpareTheInputs(options, err)) return CompareTrouble;
  std::vector<ComparedDump> dumps;
  dumps.push_back(DumpOfPair(options));
  int status = ComparePair(session, std::string(), RunReportNeedsOf(options),
                           dumps.front(), out, err);
  if (!options.reportPath.empty() &&
      !WriteReportDocument(session.GetReport(), "report", options.reportPath,
                           err))
    status = CompareTrouble;
  if (!WriteRunReports(options, dumps, options.outputPath, err))
    status = CompareTrouble;
  return status;
}

int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err) {
  if (AreDirectories(options)) return RunDirectoryReview(options, out, err);
  CompareSession session(options);
  return RunCompare(session, out, err);
}
