#include <gtest/gtest.h>

#include "MOKString.h"
#include "MOKUnicodeString.h"

namespace {

// Tests Compare (2 when equal, 0 otherwise), the null constructors and that
// copies are independent.
TEST(MOKUnicodeStringTest, ComparesCopiesAndAcceptsNull) {
  EXPECT_EQ(MOKUnicodeString("abc").Compare("abc"), 2);
  for (const char* other : {"abd", "ab", "abcd", ""})
    EXPECT_EQ(MOKUnicodeString("abc").Compare(other), 0);
  EXPECT_EQ(MOKUnicodeString(static_cast<const char*>(nullptr)).GetText(), "");
  EXPECT_STREQ(MOKString(nullptr).GetText(), "");
  MOKUnicodeString original("left"), copy(original);
  copy += "+right";
  EXPECT_EQ(original.GetText() + copy.GetText(), "leftleft+right");
}

// Tests that BuildFromNum formats with one conversion of the argument's
// type and refuses any other format (one row per kind of refusal), leaving
// the text unchanged.
TEST(MOKUnicodeStringTest, BuildFromNumRefusesUnsafeFormats) {
  MOKUnicodeString number("unchanged");
  for (const char* format : {"%s", "%n", "%d %d", "%*d", "abc", "%f", "%"})
    EXPECT_EQ(number.BuildFromNum(7u, format), 0) << format;
  for (const char* format : {"%d", "%.2Lf", "%99999f", "%f%f"})
    EXPECT_EQ(number.BuildFromNum(7.5, format), 0) << format;
  EXPECT_EQ(number.BuildFromNum(7u, nullptr), 0);
  EXPECT_STREQ(number, "unchanged");
  EXPECT_EQ(number.BuildFromNum(42u, "%d"), 1);
  EXPECT_STREQ(number, "42");
  EXPECT_EQ(number.BuildFromNum(2.0 / 3.0, "%.4f"), 1);
  EXPECT_STREQ(number, "0.6667");
}

// Tests that ConvertToNum with "%le" reads a leading number, fails without one
// leaving the double alone, and refuses formats other than one double
// conversion.
TEST(MOKUnicodeStringTest, ConvertToNumReadsLeadingNumber) {
  const struct {
    const char *text, *format;
    double value;
  } kCases[] = {{"1.5abc", "%le", 1.5}, {" -2e3", "%le", -2000.0},
                {"abc", "%le", 7},      {"", "%le", 7},
                {"1", "%s", 7},         {"1", "%d", 7},
                {"1", "%le%le", 7},     {"1", "%*le", 7},
                {"1", "%n", 7},         {"1", "%e", 7}};
  for (const auto& c : kCases) {
    double value = 7.0;
    EXPECT_EQ(MOKUnicodeString(c.text).ConvertToNum(&value, c.format) != 0,
              c.value != 7)
        << c.text << c.format;
    EXPECT_DOUBLE_EQ(value, c.value) << c.text << c.format;
  }
  EXPECT_EQ(MOKUnicodeString("1").ConvertToNum(nullptr, "%le"), 0);
}

}  // namespace
