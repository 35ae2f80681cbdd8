#ifndef CompareRun_h
#define CompareRun_h

#include <ostream>

#include "CompareOptions.h"

// Exit statuses of visuxml-compare, as diff has them.
enum CompareStatus {
  CompareSame = 0,
  CompareDifferent = 1,
  CompareTrouble = 2
};

// Compares the two files named by the options, prints the differences and
// the summary on out and any trouble on err, writes the report if asked.
int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err);

#endif
