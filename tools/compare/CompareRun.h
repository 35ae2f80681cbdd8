#ifndef CompareRun_h
#define CompareRun_h

#include <ostream>
#include <string>
#include <vector>

#include "CompareOptions.h"
#include "CompareSession.h"
#include "ComparePage.h"

// Exit statuses of visuxml-compare, as diff has them.
enum CompareStatus {
  CompareSame = 0,
  CompareDifferent = 1,
  CompareTrouble = 2
};

// Writes the page of the dumps to path, whole or not at all; says why on
// err when it cannot.
bool WriteComparePage(const std::vector<const DumpRecord*>& dumps,
                      const PageSettings& settings, const std::string& path,
                      std::ostream& err);

// Runs the session's comparison: the differences and the summary (or,
// asked for, the line saying the files are identical) on out unless
// quiet, any trouble on err, the report and the page written if asked.
// Returns the exit status. Throws std::bad_alloc when memory runs out.
int RunCompare(CompareSession& session, std::ostream& out, std::ostream& err);

// The same with a session of its own, ended before it returns.
int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err);

#endif
