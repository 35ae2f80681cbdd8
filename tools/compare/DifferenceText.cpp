#include "DifferenceText.h"

#include "ToleranceText.h"

KindNames NamesOfKind(DifferenceKind kind) {
  switch (kind) {
    case DifferenceKind::NameMismatch:
      return {"name mismatch", "name mismatches"};
    case DifferenceKind::MarkupNotInOutput:
      return {"missing element", "missing elements"};
    case DifferenceKind::MarkupNotInReference:
      return {"extra element", "extra elements"};
    case DifferenceKind::ValueChanged:
      return {"changed value", "changed values"};
    case DifferenceKind::AttributeNotInOutput:
      return {"missing attribute", "missing attributes"};
    case DifferenceKind::AttributeNotInReference:
      return {"extra attribute", "extra attributes"};
    case DifferenceKind::Uncompared:
      return {"pair not compared", "pairs not compared"};
    default:
      return {"file with XML errors", "files with XML errors"};
  }
}

namespace {

std::string Counted(unsigned long count, const KindNames& names) {
  return std::to_string(count) + " " +
         (count == 1 ? names.singular : names.plural);
}

std::string Gaps(const RealGap& absolute, const RealGap& relative) {
  if (!absolute.found) return "no gap between real values";
  std::string text = "largest real gap " + ShortNumber(absolute.value) +
                     " at " + absolute.path;
  if (relative.found)
    text += ", largest relative gap " + ShortNumber(relative.value * 100.0) +
            "% at " + relative.path;
  return text;
}

}  // namespace

std::string CountsByKind(const DifferenceTally& tally) {
  if (tally.total == 0) return "no difference";
  std::string text = Counted(tally.total, {"difference", "differences"});
  const char* separator = " (";
  for (int kind = 0; kind < kDifferenceKinds; ++kind) {
    if (tally.counts[kind] == 0) continue;
    text += separator + Counted(tally.counts[kind],
                                NamesOfKind(static_cast<DifferenceKind>(kind)));
    separator = ", ";
  }
  return text + ")";
}

std::string FormatDifference(const FoundDifference& difference) {
  return difference.path + ": " + difference.message;
}

std::string SummaryLine(const DifferenceTally& tally,
                        const VisuXMLTolerance& tolerance) {
  return "Summary: " + CountsByKind(tally) + "; " +
         Gaps(tally.largestAbsolute, tally.largestRelative) + "; " +
         DescribeTolerance(tolerance) + ".";
}

std::string IdenticalLine(const std::string& reference,
                          const std::string& output) {
  return "Files " + reference + " and " + output + " are identical";
}

std::string PairHeader(const std::string& key, const std::string& reference,
                       const std::string& output) {
  return key + ": reference " + reference + ", output " + output;
}

std::string ReviewLine(unsigned long differing, unsigned long troubled,
                       unsigned long outputs) {
  std::string line = std::to_string(differing) + " of " +
                     std::to_string(outputs) +
                     (differing == 1 ? " dumps differs from its reference"
                                     : " dumps differ from their references");
  if (troubled > 0)
    line += "; " + std::to_string(troubled) + " could not be compared";
  return line + ".";
}
