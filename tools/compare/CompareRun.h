#ifndef CompareRun_h
#define CompareRun_h

#include <ostream>

#include "CompareOptions.h"
#include "CompareSession.h"
#include "CompareStatus.h"

// Runs the session's comparison of two files: the differences and the
// summary (or, asked for, the line saying the files are identical) on out
// unless quiet, any trouble on err, the error report, the JUnit report and
// the HTML page written if asked. Returns the exit status. Throws
// std::bad_alloc when memory runs out.
int RunCompare(CompareSession& session, std::ostream& out, std::ostream& err);

// The same with a session of its own, ended before it returns; when both
// files are directories, the review of a replay's output directory.
int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err);

#endif
