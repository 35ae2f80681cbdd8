#ifndef CompareRun_h
#define CompareRun_h

#include <ostream>

#include "CompareOptions.h"
#include "CompareSession.h"

// Exit statuses of visuxml-compare, as diff has them.
enum CompareStatus {
  CompareSame = 0,
  CompareDifferent = 1,
  CompareTrouble = 2
};

// Runs the session's comparison: the differences and the summary (or,
// asked for, the line saying the files are identical) on out unless
// quiet, any trouble on err, the report written if asked. Returns the exit
// status. Throws std::bad_alloc when memory runs out.
int RunCompare(CompareSession& session, std::ostream& out, std::ostream& err);

// The same with a session of its own, ended before it returns.
int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err);

#endif
