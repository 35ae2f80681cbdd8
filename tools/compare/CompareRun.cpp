#include "CompareRun.h"

#include <sys/stat.h>

#include <string>

#include "ComparePage.h"
#include "DifferenceText.h"
#include "DumpRecord.h"
#include "WholeFile.h"
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

// A report or a page written over one of the dumps would destroy what it
// tells of.
bool WritesSpareTheInputs(const CompareOptions& options, std::ostream& err) {
  for (const std::string* written : {&options.reportPath, &options.htmlPath})
    for (const std::string* input :
         {&options.referencePath, &options.outputPath})
      if (!written->empty() && *input != kStandardInputName &&
          IsSameFile(*written, *input)) {
        err << kProgram << *written
            << (written == &options.reportPath ? ": the report"
                                               : ": the page")
            << " would replace a compared file\n";
        return false;
      }
  return true;
}

std::string TroubleLine(const FileTrouble& trouble) {
  return trouble.name + ": " +
         (trouble.reason.empty() ? "cannot be read" : trouble.reason);
}

void TellTroubles(const CompareSession& session, std::ostream& err) {
  for (const FileTrouble& trouble : session.GetTroubles())
    err << kProgram << TroubleLine(trouble) << "\n";
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

DumpOutcome PageOutcomeOf(VisuXMLReplayOutcome outcome) {
  switch (StatusOf(outcome)) {
    case CompareSame: return DumpOutcome::Same;
    case CompareTrouble: return DumpOutcome::NotCompared;
    default: return DumpOutcome::Different;
  }
}

// The dump's record concluded with the session's outcome.
void Conclude(DumpRecord& record, const CompareSession& session,
              VisuXMLReplayOutcome outcome) {
  std::string trouble;
  for (const FileTrouble& file : session.GetTroubles())
    trouble += (trouble.empty() ? "" : "; ") + TroubleLine(file);
  record.Conclude(PageOutcomeOf(outcome), session.GetTally(), trouble);
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

bool WriteComparePage(const std::vector<const DumpRecord*>& dumps,
                      const PageSettings& settings, const std::string& path,
                      std::ostream& err) {
  const std::string reason =
      ReplaceFileWhole(path, MakeComparePage(dumps, settings));
  if (reason.empty()) return true;
  err << kProgram << path << ": cannot write the page: " << reason << "\n";
  return false;
}

int RunCompare(CompareSession& session, std::ostream& out, std::ostream& err) {
  const CompareOptions& options = session.GetOptions();
  if (!WritesSpareTheInputs(options, err)) return CompareTrouble;
  DifferenceLines lines(out);
  DifferenceSink* const printed = options.quiet ? nullptr : &lines;
  const bool paged = !options.htmlPath.empty();
  DumpRecord record(options.referencePath, options.outputPath, printed);
  const VisuXMLReplayOutcome outcome =
      paged ? session.Run(&record, &record) : session.Run(printed);
  const int status = StatusOf(outcome);
  TellTroubles(session, err);
  TellOutcome(options, session, status, out);
  bool written = WriteReport(session.GetReport(), options.reportPath, err);
  if (paged) {
    Conclude(record, session, outcome);
    written = WriteComparePage({&record},
                               PageSettingsOf(options, session.GetTolerance()),
                               options.htmlPath, err) &&
              written;
  }
  return written ? status : CompareTrouble;
}

int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err) {
  CompareSession session(options);
  return RunCompare(session, out, err);
}
