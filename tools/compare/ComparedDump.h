#ifndef ComparedDump_h
#define ComparedDump_h

#include <memory>
#include <string>
#include <vector>

#include "CompareStatus.h"
#include "Difference.h"
#include "DumpRecord.h"

// One compared pair as the reports written at the end of a run see it.
struct ComparedDump {
  // The test case and the dump name with its number, as the output's file
  // name gives them.
  std::string testCase;
  std::string label;
  std::string referencePath;
  std::string outputPath;
  CompareStatus status = CompareSame;
  // In the order found; kept only when the JUnit report asks for them.
  std::vector<FoundDifference> differences;
  DifferenceTally tally;
  // The summary line when the pair differs.
  std::string summary;
  // "file: reason" for each file that could not be read.
  std::vector<std::string> troubles;
  // What the HTML page shows of the pair; made only when a page is asked
  // for.
  std::unique_ptr<DumpRecord> page;
};

// Hands each difference on to the next sink, if any, and keeps a copy in
// the list, if any.
class DifferenceRecorder final : public DifferenceSink {
 public:
  DifferenceRecorder(DifferenceSink* next, std::vector<FoundDifference>* kept)
      : _Next(next), _Kept(kept) {}
  void Take(const FoundDifference& difference) override {
    if (_Next != nullptr) _Next->Take(difference);
    if (_Kept != nullptr) _Kept->push_back(difference);
  }

 private:
  DifferenceSink* _Next;
  std::vector<FoundDifference>* _Kept;
};

#endif
