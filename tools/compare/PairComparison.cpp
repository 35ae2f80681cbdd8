#include "PairComparison.h"

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
                          bool keepDifferences, ComparedDump& dump,
                          std::ostream& out, std::ostream& err) {
  const CompareOptions& options = session.GetOptions();
  DifferenceLines lines(out, header);
  DifferenceRecorder recorder(options.quiet ? nullptr : &lines,
                              keepDifferences ? &dump.differences : nullptr);
  const bool listened = !options.quiet || keepDifferences;
  dump.status = StatusOf(session.Run(listened ? &recorder : nullptr));
  dump.tally = session.GetTally();
  KeepTroubles(session, dump, err);
  if (dump.status == CompareDifferent)
    dump.summary = SummaryLine(dump.tally, session.GetTolerance());
  if (options.quiet) return dump.status;
  if (dump.status == CompareDifferent)
    out << dump.summary << "\n";
  else if (dump.status == CompareSame && options.reportIdentical)
    out << IdenticalLine(options.referencePath, options.outputPath) << "\n";
  return dump.status;
}
