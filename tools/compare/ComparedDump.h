#ifndef ComparedDump_h
#define ComparedDump_h

#include <string>
#include <vector>

#include "CompareStatus.h"
#include "Difference.h"

// One compared pair as the reports written at the end of a run see it.
struct ComparedDump {
  // The test case and the dump name with its number, as the output's file
  // name gives them.
  std::string testCase;
  std::string label;
  std::string referencePath;
  std::string outputPath;
  CompareStatus status = CompareSame;
  // In the order found; kept only when a report asks for them.
  std::vector<FoundDifference> differences;
  DifferenceTally tally;
  // The summary line when the pair differs.
  std::string summary;
  // "file: reason" for each file that could not be read.
  std::vector<std::string> troubles;
};

// Hands each difference on to the next sink, if any, and keeps a copy in
// the list, if any.
class DifferenceRecorder final : public DifferenceSink {
 public:
  DifferenceRecorder(DifferenceSink* next,
                     std::vector<FoundDifference>* kept)
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
