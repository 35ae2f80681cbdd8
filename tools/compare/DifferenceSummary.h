#ifndef DifferenceSummary_h
#define DifferenceSummary_h

#include <string>
#include <vector>

#include "Difference.h"

// One line: how many differences of each kind, and the largest absolute and
// relative gaps between paired real values with where they are.
std::string SummarizeDifferences(const std::vector<Difference>& differences,
                                 const RealGap& largestAbsolute,
                                 const RealGap& largestRelative,
                                 int dumpVersion);

// One line per difference: the path, then the report's message.
std::string FormatDifference(const Difference& difference);

#endif
