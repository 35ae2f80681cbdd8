#ifndef PairComparison_h
#define PairComparison_h

#include <ostream>
#include <string>

#include "CompareSession.h"
#include "ComparedDump.h"
#include "RunReports.h"

// The record of the session's pair before it is compared: its files, and
// the test case and dump label its output's file name gives (the output's
// base name under "visuxml-compare" when the name is not an output's).
ComparedDump DumpOfPair(const CompareOptions& options);

// Compares the session's pair as both modes print it: each difference on
// its line unless quiet, the header (when not empty) before the first;
// trouble on err; then the summary, or with -s the line saying the files
// are identical. The status, tally, troubles and what the run's reports
// need (the differences, the page's record) go into dump. Returns the
// pair's status. Throws std::bad_alloc when memory runs out.
CompareStatus ComparePair(CompareSession& session, const std::string& header,
                          const RunReportNeeds& needs, ComparedDump& dump,
                          std::ostream& out, std::ostream& err);

#endif
