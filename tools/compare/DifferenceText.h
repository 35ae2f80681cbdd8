#ifndef DifferenceText_h
#define DifferenceText_h

#include <ostream>
#include <string>

#include "Difference.h"
#include "compare/VisuXMLComparisonSettings.h"

// One line per difference: the path, then the report's message.
std::string FormatDifference(const FoundDifference& difference);

// One line: how many differences of each kind, the largest absolute and
// relative gaps between real values with where they are, and the rule
// the reals were judged by.
std::string SummaryLine(const DifferenceTally& tally,
                        const VisuXMLTolerance& tolerance);

// What -s prints for two files that are the same, in diff's words.
std::string IdenticalLine(const std::string& reference,
                          const std::string& output);

// Prints each difference on its line as soon as it is found.
class DifferenceLines final : public DifferenceSink {
 public:
  explicit DifferenceLines(std::ostream& out) : _Out(out) {}
  void Take(const FoundDifference& difference) override {
    _Out << FormatDifference(difference) << '\n';
  }

 private:
  std::ostream& _Out;
};

#endif
