#include "DifferenceSummary.h"

#include <gtest/gtest.h>

namespace {

class DifferenceSummaryTest : public ::testing::Test {
 protected:
  RealGap Gap(double value, const std::string& path) {
    RealGap gap;
    gap.found = true;
    gap.value = value;
    gap.path = path;
    return gap;
  }
  RealGap _None;
};

// Tests that no difference and no real value give a plain summary.
TEST_F(DifferenceSummaryTest, NothingToReport) {
  EXPECT_EQ(SummarizeDifferences({}, _None, _None, 6),
            "Summary: no difference; no real values compared; dump "
            "version 6.");
}

// Tests that the differences are counted by kind, singular and plural.
TEST_F(DifferenceSummaryTest, CountsByKind) {
  std::vector<Difference> differences = {
      {DifferenceKind::AttributeValueChanged, "/A/@x", "m"},
      {DifferenceKind::MarkupNotInOutput, "/A/B[1]", "m"},
      {DifferenceKind::AttributeValueChanged, "/A/@y", "m"}};
  EXPECT_EQ(SummarizeDifferences(differences, _None, _None, 6),
            "Summary: 3 differences (1 missing element, 2 changed values); "
            "no real values compared; dump version 6.");
}

// Tests that the largest gaps are shown with their places, the relative
// one as a percentage.
TEST_F(DifferenceSummaryTest, ShowsLargestGaps) {
  EXPECT_EQ(SummarizeDifferences({}, Gap(0.25, "/A/@x"), Gap(0.05, "/A/@y"), 2),
            "Summary: no difference; largest real gap 0.25 at /A/@x, largest "
            "relative gap 5% at /A/@y; dump version 2.");
}

// Tests that a difference line is its path, then the message.
TEST_F(DifferenceSummaryTest, FormatsOneDifference) {
  Difference difference{DifferenceKind::AttributeNotInOutput, "/A/B[2]/@c",
                        "The attribute c doesn't appear in the output file."};
  EXPECT_EQ(FormatDifference(difference),
            "/A/B[2]/@c: The attribute c doesn't appear in the output file.");
}

}  // namespace
