#include <gtest/gtest.h>

#include <string>

#include "MOKString.h"
#include "MOKUnicodeString.h"

namespace {

class MOKUnicodeStringTest : public ::testing::Test {
 protected:
  MOKUnicodeString number_{"unchanged"};
};

// Tests that equal texts compare as 2 and different texts as 0.
TEST_F(MOKUnicodeStringTest, CompareGivesTwoForEqualAndZeroOtherwise) {
  EXPECT_EQ(MOKUnicodeString("abc").Compare(MOKUnicodeString("abc")), 2);
  EXPECT_EQ(MOKUnicodeString("abc").Compare(MOKUnicodeString("abd")), 0);
  EXPECT_EQ(MOKUnicodeString("abc").Compare(MOKUnicodeString("ab")), 0);
}

// Tests that a null pointer builds an empty text.
TEST_F(MOKUnicodeStringTest, NullPointerGivesEmptyText) {
  MOKUnicodeString text(static_cast<const char*>(nullptr));
  EXPECT_EQ(text.GetLengthInByte(), 0);
  EXPECT_STREQ(static_cast<const char*>(text), "");
}

// Tests that copies are independent of their source.
TEST_F(MOKUnicodeStringTest, CopiesAreIndependent) {
  MOKUnicodeString original("left");
  MOKUnicodeString copy(original);
  copy += MOKUnicodeString("+right");
  EXPECT_STREQ(static_cast<const char*>(original), "left");
  EXPECT_STREQ(static_cast<const char*>(copy), "left+right");
}

// Tests that the counter format writes the number.
TEST_F(MOKUnicodeStringTest, BuildFromNumFormatsUnsigned) {
  EXPECT_EQ(number_.BuildFromNum(42u, "%d"), 1);
  EXPECT_STREQ(static_cast<const char*>(number_), "42");
}

// Tests that the rounding formats write the number with their precision.
TEST_F(MOKUnicodeStringTest, BuildFromNumFormatsDouble) {
  EXPECT_EQ(number_.BuildFromNum(2.0 / 3.0, "%.4f"), 1);
  EXPECT_STREQ(static_cast<const char*>(number_), "0.6667");
}

// Tests that formats which are not one conversion of the argument's type
// are refused and leave the text unchanged.
TEST_F(MOKUnicodeStringTest, BuildFromNumRefusesUnsafeFormats) {
  for (const char* format : {"%s", "%n", "%d %d", "%*d", "abc", "%", "%hhn"})
    EXPECT_EQ(number_.BuildFromNum(7u, format), 0) << format;
  for (const char* format : {"%d", "%s", "%f%f", "%n", "%.2Lf"})
    EXPECT_EQ(number_.BuildFromNum(7.5, format), 0) << format;
  EXPECT_EQ(number_.BuildFromNum(7u, nullptr), 0);
  EXPECT_STREQ(static_cast<const char*>(number_), "unchanged");
}

// Tests that a huge width is refused rather than producing huge output.
TEST_F(MOKUnicodeStringTest, BuildFromNumRefusesHugeWidth) {
  EXPECT_EQ(number_.BuildFromNum(1.0, "%99999f"), 0);
}

// Tests that a leading number is read even when text follows it.
TEST_F(MOKUnicodeStringTest, ConvertToNumReadsLeadingNumber) {
  double value = 0.0;
  EXPECT_NE(MOKUnicodeString("1.5abc").ConvertToNum(&value, "%le"), 0);
  EXPECT_DOUBLE_EQ(value, 1.5);
  EXPECT_NE(MOKUnicodeString(" -2e3").ConvertToNum(&value, "%le"), 0);
  EXPECT_DOUBLE_EQ(value, -2000.0);
}

// Tests that a text without a number fails and leaves the double alone.
TEST_F(MOKUnicodeStringTest, ConvertToNumFailsWithoutNumber) {
  double value = 9.0;
  EXPECT_EQ(MOKUnicodeString("abc").ConvertToNum(&value, "%le"), 0);
  EXPECT_EQ(MOKUnicodeString("").ConvertToNum(&value, "%le"), 0);
  EXPECT_DOUBLE_EQ(value, 9.0);
}

// Tests that scanf formats other than one double conversion are refused.
TEST_F(MOKUnicodeStringTest, ConvertToNumRefusesOtherFormats) {
  double value = 0.0;
  for (const char* format : {"%s", "%d", "%le%le", "%*le", "%n", "%e"})
    EXPECT_EQ(MOKUnicodeString("1").ConvertToNum(&value, format), 0)
        << format;
  EXPECT_EQ(MOKUnicodeString("1").ConvertToNum(nullptr, "%le"), 0);
}

// Tests that the narrow string keeps its text and accepts null.
TEST_F(MOKUnicodeStringTest, NarrowStringHoldsText) {
  EXPECT_STREQ(MOKString("VisuDebugTools").GetText(), "VisuDebugTools");
  EXPECT_STREQ(MOKString(nullptr).GetText(), "");
}

}  // namespace
