#ifndef ToleranceText_h
#define ToleranceText_h

#include <string>

#include "compare/VisuXMLComparisonSettings.h"

// The rule by which real values were judged, as the summary names it:
// "dump version 6 tolerance", or the bounds such as
// "tolerance |R-O| <= 0.5 or |R-O| <= 0.01*|R|".
std::string DescribeTolerance(const VisuXMLTolerance& tolerance);

// When two reals agree under the rule, in words: "reals agree when
// |R-O| < 0.001"; empty for bounds, which DescribeTolerance already says.
std::string ToleranceRuleInWords(const VisuXMLTolerance& tolerance);

// A number as the summary prints it: six significant digits.
std::string ShortNumber(double value);

#endif
