#include "DifferenceSummary.h"

#include <cstdio>
#include <map>

namespace {

struct KindNames {
  const char* singular;
  const char* plural;
};

KindNames NamesOf(DifferenceKind kind) {
  switch (kind) {
    case DifferenceKind::MarkupNameMismatch:
      return {"name mismatch", "name mismatches"};
    case DifferenceKind::MarkupNotInOutput:
      return {"missing element", "missing elements"};
    case DifferenceKind::MarkupNotInReference:
      return {"extra element", "extra elements"};
    case DifferenceKind::AttributeValueChanged:
      return {"changed value", "changed values"};
    case DifferenceKind::AttributeNotInOutput:
      return {"missing attribute", "missing attributes"};
    case DifferenceKind::AttributeNotInReference:
      return {"extra attribute", "extra attributes"};
    default:
      return {"file with XML errors", "files with XML errors"};
  }
}

std::string Counted(std::size_t count, const KindNames& names) {
  return std::to_string(count) + " " +
         (count == 1 ? names.singular : names.plural);
}

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string CountsByKind(const std::vector<Difference>& differences) {
  if (differences.empty()) return "no difference";
  std::map<DifferenceKind, std::size_t> counts;
  for (const Difference& difference : differences) ++counts[difference.kind];
  std::string text = Counted(differences.size(), {"difference", "differences"});
  const char* separator = " (";
  for (const auto& entry : counts) {
    text += separator + Counted(entry.second, NamesOf(entry.first));
    separator = ", ";
  }
  return text + ")";
}

std::string Gaps(const RealGap& absolute, const RealGap& relative) {
  if (!absolute.found) return "no real values compared";
  std::string text = "largest real gap " + Number(absolute.value) + " at " +
                     absolute.path;
  if (relative.found)
    text += ", largest relative gap " + Number(relative.value * 100.0) +
            "% at " + relative.path;
  return text;
}

}  // namespace

std::string SummarizeDifferences(const std::vector<Difference>& differences,
                                 const RealGap& largestAbsolute,
                                 const RealGap& largestRelative,
                                 int dumpVersion) {
  return "Summary: " + CountsByKind(differences) + "; " +
         Gaps(largestAbsolute, largestRelative) + "; dump version " +
         std::to_string(dumpVersion) + ".";
}

std::string FormatDifference(const Difference& difference) {
  return difference.path + ": " + difference.message;
}
