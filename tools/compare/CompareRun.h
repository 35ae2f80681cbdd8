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

// Compares the two files named by the options: the differences and the
// summary (or, asked for, the line saying the files are identical) on out
// unless quiet, any trouble on err, the report written if asked. Returns
// the exit status. Throws std::bad_alloc when memory runs out.
int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err);

#endif
