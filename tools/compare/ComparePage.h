#ifndef ComparePage_h
#define ComparePage_h

#include <string>
#include <vector>

#include "CompareOptions.h"
#include "DumpRecord.h"
#include "compare/VisuXMLComparisonSettings.h"

// What the page tells of the comparison as a whole, besides the dumps.
struct PageSettings {
  // The rule by name ("dump version 6 tolerance") and in words.
  std::string tolerance;
  std::string toleranceRule;
  // Which attributes were compared as numbers.
  std::string reals;
};

PageSettings PageSettingsOf(const CompareOptions& options,
                            const VisuXMLTolerance& tolerance);

// One self-contained HTML page for the dumps compared, in their order: a
// summary of all of them, then each dump that failed with its differences
// in its reduced reference tree. Style and script are inline and it asks
// for nothing else, so it opens from disk anywhere. It grows with the
// differences and the failed dumps, not with the documents.
std::string MakeComparePage(const std::vector<const DumpRecord*>& dumps,
                            const PageSettings& settings);

#endif
