#include "DirectoryReview.h"

#include <sys/stat.h>

#include <string>
#include <vector>

#include "DifferenceText.h"
#include "OutputNames.h"
#include "PairComparison.h"
#include "RunReports.h"

namespace {

const char kProgram[] = "visuxml-compare: ";

bool IsDirectory(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

struct ReviewCounts {
  unsigned long outputs = 0;
  unsigned long differing = 0;
  unsigned long troubled = 0;

  int Status() const {
    if (troubled > 0) return CompareTrouble;
    return differing > 0 ? CompareDifferent : CompareSame;
  }
};

// Compares one output with its reference; the session and its documents
// end with the pair, so a review holds one pair at a time.
ComparedDump ReviewPair(const CompareOptions& options, const OutputName& name,
                        std::ostream& out, std::ostream& err) {
  CompareOptions pair = options;
  pair.referencePath = JoinPath(options.referencePath, name.ReferenceFile());
  pair.outputPath = JoinPath(options.outputPath, name.File());
  ComparedDump dump = DumpOfPair(pair);
  CompareSession session(pair);
  ComparePair(session,
              PairHeader(name.Key(), pair.referencePath, pair.outputPath),
              RunReportNeedsOf(options), dump, out, err);
  if (dump.status == CompareDifferent && !options.quiet) out << "\n";
  return dump;
}

}  // namespace

bool AreDirectories(const CompareOptions& options) {
  return IsDirectory(options.referencePath) && IsDirectory(options.outputPath);
}

int RunDirectoryReview(const CompareOptions& options, std::ostream& out,
                       std::ostream& err) {
  if (!options.reportPath.empty()) {
    err << kProgram << "--report applies to two files; a replay leaves "
        << "each dump's error report in its output directory\n";
    return CompareTrouble;
  }
  std::vector<OutputName> outputs;
  std::string reason;
  if (!ListOutputs(options.outputPath, outputs, reason)) {
    err << kProgram << options.outputPath << ": " << reason << "\n";
    return CompareTrouble;
  }
  ReviewCounts counts;
  std::vector<ComparedDump> dumps;
  for (const OutputName& name : outputs) {
    if (!name.HasOutputForm()) continue;
    ComparedDump dump = ReviewPair(options, name, out, err);
    ++counts.outputs;
    if (dump.status == CompareDifferent) ++counts.differing;
    if (dump.status == CompareTrouble) ++counts.troubled;
    if (RunReportNeedsOf(options).Any()) dumps.push_back(std::move(dump));
  }
  if (!options.quiet &&
      (counts.Status() != CompareSame || options.reportIdentical))
    out << ReviewLine(counts.differing, counts.troubled, counts.outputs)
        << "\n";
  if (!WriteRunReports(options, dumps, options.outputPath, err))
    return CompareTrouble;
  return counts.Status();
}
