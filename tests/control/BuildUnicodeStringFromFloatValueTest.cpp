#include <gtest/gtest.h>

#include <string>

#include "ControlFixture.h"
#include "VisuXMLDumpControler.h"

namespace {

class BuildUnicodeStringFromFloatValueTest : public ControlFixture {
 protected:
  static std::string Format(float value, unsigned char fourDecimals) {
    MOKUnicodeString text("previous");
    VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(value, text,
                                                           fourDecimals);
    return std::string(text);
  }
};

// Tests that an exact half is rounded up before formatting.
TEST_F(BuildUnicodeStringFromFloatValueTest, PositiveHalfRoundsAwayFromZero) {
  EXPECT_EQ(Format(0.125f, 0), "0.13");
}

// Tests that a negative exact half is rounded down before formatting.
TEST_F(BuildUnicodeStringFromFloatValueTest, NegativeHalfRoundsAwayFromZero) {
  EXPECT_EQ(Format(-0.125f, 0), "-0.13");
}

// Tests that a tiny negative value rounds to a negative zero.
TEST_F(BuildUnicodeStringFromFloatValueTest, TinyNegativeGivesNegativeZero) {
  EXPECT_EQ(Format(-0.004f, 0), "-0.00");
}

// Tests that the flag selects four decimals.
TEST_F(BuildUnicodeStringFromFloatValueTest, FlagSelectsFourDecimals) {
  EXPECT_EQ(Format(1.23456f, 1), "1.2346");
}

// Tests that four decimals also round an exact half away from zero.
TEST_F(BuildUnicodeStringFromFloatValueTest, FourDecimalsRoundHalfAway) {
  EXPECT_EQ(Format(-0.03125f, 1), "-0.0313");
}

// Tests that version 1 leaves the rounding to the formatter.
TEST_F(BuildUnicodeStringFromFloatValueTest, VersionOneFormatsUnrounded) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "1");
  EXPECT_EQ(Format(0.125f, 0), "0.12");
}

// Tests that version 0 (a non-numeric variable) still rounds.
TEST_F(BuildUnicodeStringFromFloatValueTest, VersionZeroRounds) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "none");
  EXPECT_EQ(Format(0.125f, 0), "0.13");
}

}  // namespace
