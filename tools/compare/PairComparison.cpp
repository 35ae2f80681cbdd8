#include "PairComparison.h"

#include <memory>

#include "DifferenceText.h"
#include "OutputNames.h"

namespace {

const char kProgram[] = "visuxml-compare: ";

CompareStatus StatusOf(VisuXMLReplayOutcome outcome) {
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

void KeepTroubles(const CompareSession& session, ComparedDump& dump,
                  std::ostream& err) {
  for (const FileTrouble& trouble : session.GetTroubles()) {
    dump.troubles.push_back(
        trouble.name + ": " +
        (trouble.reason.empty() ? "cannot be read" : trouble.reason));
    err << kProgram << dump.troubles.back() << "\n";
  }
}

// The page's record concluded with the pair's outcome and troubles.
void ConcludePage(ComparedDump& dump) {
  const DumpOutcome outcome = dump.status == CompareSame ? DumpOutcome::Same
                              : dump.status == CompareDifferent
                                  ? DumpOutcome::Different
                                  : DumpOutcome::NotCompared;
  std::string troubles;
  for (const std::string& trouble : dump.troubles)
    troubles += (troubles.empty() ? "" : "; ") + trouble;
  dump.page->Conclude(outcome, dump.tally, troubles);
}

void TellOutcome(const CompareOptions& options, const ComparedDump& dump,
                 std::ostream& out) {
  if (options.quiet) return;
  if (dump.status == CompareDifferent)
    out << dump.summary << "\n";
  else if (dump.status == CompareSame && options.reportIdentical)
    out << IdenticalLine(options.referencePath, options.outputPath) << "\n";
}

std::string BaseName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

}  // namespace

ComparedDump DumpOfPair(const CompareOptions& options) {
  ComparedDump dump;
  dump.referencePath = options.referencePath;
  dump.outputPath = options.outputPath;
  const OutputName name(BaseName(options.outputPath));
  dump.testCase = name.HasOutputForm() ? name.TestCase() : "visuxml-compare";
  dump.label = name.HasOutputForm() ? name.DumpLabel() : name.File();
  return dump;
}

CompareStatus ComparePair(CompareSession& session, const std::string& header,
                          const RunReportNeeds& needs, ComparedDump& dump,
                          std::ostream& out, std::ostream& err) {
  const CompareOptions& options = session.GetOptions();
  DifferenceLines lines(out, header);
  DifferenceRecorder recorder(options.quiet ? nullptr : &lines,
                              needs.differences ? &dump.differences : nullptr);
  if (needs.page)
    dump.page = std::make_unique<DumpRecord>(dump.referencePath,
                                             dump.outputPath, &recorder);
  DifferenceSink* sink = &recorder;
  if (dump.page) sink = dump.page.get();
  if (options.quiet && !needs.Any()) sink = nullptr;
  dump.status = StatusOf(session.Run(sink, dump.page.get()));
  dump.tally = session.GetTally();
  KeepTroubles(session, dump, err);
  if (dump.page) ConcludePage(dump);
  if (dump.status == CompareDifferent)
    dump.summary = SummaryLine(dump.tally, session.GetTolerance());
  TellOutcome(options, dump, out);
  return dump.status;
}
