#ifndef DumpRecord_h
#define DumpRecord_h

#include <string>
#include <vector>

#include "AttributeFinder.h"
#include "Difference.h"
#include "DifferenceCollector.h"
#include "ReducedTree.h"

// How a compared dump ended, as the page tells it.
enum class DumpOutcome { Same, Different, NotCompared };

// A difference as the page shows it: what the tool found, its last step,
// and what stands on each side.
struct PageDifference {
  FoundDifference found;
  // "@X", "Light[2]"; the whole place for a difference outside the tree.
  std::string step;
  // The two values of an attribute, or the two elements, as shown.
  std::string reference;
  std::string output;
  // False on the side that lacks the attribute or the element.
  bool inReference = false;
  bool inOutput = false;
};

// What the page keeps of one compared dump: its names and outcome, each
// difference with the values on both sides, and the reduced reference
// tree that places them. Everything is copied out of the documents, which
// may go once the dump is concluded.
class DumpRecord final : public DifferenceSink, public DifferenceLocator {
 public:
  // Bytes of a value the page shows; a longer one is cut.
  static constexpr std::size_t kShownValueBytes = 200;

  // Each difference is handed on to next, when given.
  DumpRecord(std::string referenceName, std::string outputName,
             DifferenceSink* next = nullptr);

  void Locate(const VisuXMLDifference& difference,
              const VisuXMLDifferencePlace& place) override;
  void Take(const FoundDifference& difference) override;
  // Once the comparison is over: how it ended, its tally, and why it could
  // not compare (empty when it could). The next sink, which may end with
  // the comparison, is let go.
  void Conclude(DumpOutcome outcome, const DifferenceTally& tally,
                const std::string& trouble);

  const std::string& GetReferenceName() const { return _ReferenceName; }
  const std::string& GetOutputName() const { return _OutputName; }
  DumpOutcome GetOutcome() const { return _Outcome; }
  const DifferenceTally& GetTally() const { return _Tally; }
  const std::string& GetTrouble() const { return _Trouble; }
  const std::vector<PageDifference>& GetDifferences() const {
    return _Differences;
  }
  const ReducedTree& GetTree() const { return _Tree; }

 private:
  void ShowAttribute(const VisuXMLDifference& difference);
  void ShowElements(const VisuXMLDifference& difference);

  std::string _ReferenceName;
  std::string _OutputName;
  DifferenceSink* _pNext;
  DumpOutcome _Outcome = DumpOutcome::Same;
  DifferenceTally _Tally;
  std::string _Trouble;
  std::vector<PageDifference> _Differences;
  ReducedTree _Tree;
  AttributeFinder _Finder;
  // What Locate found out for the difference Take receives next.
  bool _Located = false;
  PageDifference _Pending;
  std::size_t _PendingElement = ReducedTree::kNoElement;
  bool _PendingStandsForChild = false;
};

#endif
