#ifndef DifferenceText_h
#define DifferenceText_h

#include <ostream>
#include <string>
#include <utility>

#include "Difference.h"
#include "compare/VisuXMLComparisonSettings.h"

// A kind of difference as the summary names it, one and several.
struct KindNames {
  const char* singular;
  const char* plural;
};
KindNames NamesOfKind(DifferenceKind kind);

// "no difference", or the total and the count of each kind found:
// "3 differences (1 extra element, 2 changed values)".
std::string CountsByKind(const DifferenceTally& tally);

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

// The line above the differences of one pair of a directory review: the
// dump's key, as the approval selects it, and both files.
std::string PairHeader(const std::string& key, const std::string& reference,
                       const std::string& output);

// The last line of a directory review: how many outputs differ from their
// references, and how many could not be compared.
std::string ReviewLine(unsigned long differing, unsigned long troubled,
                       unsigned long outputs);

// Prints each difference on its line as soon as it is found; the header,
// when there is one, on the line before the first.
class DifferenceLines final : public DifferenceSink {
 public:
  explicit DifferenceLines(std::ostream& out,
                           std::string header = std::string())
      : _Out(out), _Header(std::move(header)) {}
  void Take(const FoundDifference& difference) override {
    if (!_Header.empty()) _Out << _Header << '\n';
    _Header.clear();
    _Out << FormatDifference(difference) << '\n';
  }

 private:
  std::ostream& _Out;
  std::string _Header;
};

#endif
