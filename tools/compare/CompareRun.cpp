#include "CompareRun.h"

#include <sys/stat.h>

#include <string>

#include "DifferenceText.h"
#include "control/VisuXMLDocumentWriter.h"

namespace {

const char kProgram[] = "visuxml-compare: ";

// Written as a failed replay writes its report, whatever the outcome.
bool WriteReport(const MOKLightXmlElement& report, const std::string& path,
                 std::ostream& err) {
  if (path.empty()) return true;
  std::string reason;
  if (VisuXMLWriteDocument(report, MOKUnicodeString(path.c_str()), 0,
                           &reason) != 0)
    return true;
  err << kProgram << path << ": cannot write the report: " << reason << "\n";
  return false;
}

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat a, b;
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A report written over one of the dumps would destroy what it reports on.
bool ReportSparesTheInputs(const CompareOptions& options, std::ostream& err) {
  for (const std::string* input : {&options.referencePath, &options.outputPath})
    if (!options.reportPath.empty() && *input != kStandardInputName &&
        IsSameFile(options.reportPath, *input)) {
      err << kProgram << options.reportPath
          << ": the report would replace a compared file\n";
      return false;
    }
  return true;
}

void TellTroubles(const CompareSession& session, std::ostream& err) {
  for (const FileTrouble& trouble : session.GetTroubles())
    err << kProgram << trouble.name << ": "
        << (trouble.reason.empty() ? "cannot be read" : trouble.reason)
        << "\n";
}

int StatusOf(VisuXMLReplayOutcome outcome) {
  switch (outcome) {
    case VisuXMLReplayOutcome::Same:
      return CompareSame;
    case VisuXMLReplayOutcome::ReferenceNotValid:
    case VisuXMLReplayOutcome::OutputNotValid:
      return CompareTrouble;
    default:
      return CompareDifferent;
  }
}

void TellOutcome(const CompareOptions& options, const CompareSession& session,
                 int status, std::ostream& out) {
  if (options.quiet) return;
  if (status == CompareDifferent)
    out << SummaryLine(session.GetTally(), session.GetTolerance()) << "\n";
  else if (status == CompareSame && options.reportIdentical)
    out << IdenticalLine(options.referencePath, options.outputPath) << "\n";
}

}  // namespace

int RunCompare(CompareSession& session, std::ostream& out, std::ostream& err) {
  const CompareOptions& options = session.GetOptions();
  if (!ReportSparesTheInputs(options, err)) return CompareTrouble;
  DifferenceLines lines(out);
  const int status =
      StatusOf(session.Run(options.quiet ? nullptr : &lines));
  TellTroubles(session, err);
  TellOutcome(options, session, status, out);
  if (!WriteReport(session.GetReport(), options.reportPath, err))
    return CompareTrouble;
  return status;
}

int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err) {
  CompareSession session(options);
  return RunCompare(session, out, err);
}
