#ifndef DirectoryReview_h
#define DirectoryReview_h

#include <ostream>

#include "CompareOptions.h"

// True when the reference and the output named are both directories.
bool AreDirectories(const CompareOptions& options);

// Reviews a replay's output directory: every <stem>_Out_<N>.xml there is
// compared, as the replay compares it, with <stem>_Ref_<N>.xml of the
// reference directory, one pair at a time. A pair that differs prints under
// a header naming both files; an output without its reference is trouble
// for that pair. A last line counts the outputs that differ. The JUnit
// report and the HTML page, when asked for, cover every pair. Returns 0
// when every output equals its reference (or there is none), 1 when any
// differs, 2 on any trouble. Throws std::bad_alloc when memory runs out.
int RunDirectoryReview(const CompareOptions& options, std::ostream& out,
                       std::ostream& err);

#endif
