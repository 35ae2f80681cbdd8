#include <climits>

#include "DumpFixture.h"
#include "VisuXMLDumpVersion.h"

namespace {

// Name, "MOK_RECORD_MODE", level file before (null: none),
// "VISU_XML_DUMP_VERSION", version, level file after.
struct VersionRow {
  const char *Name, *Record, *Levels, *Variable;
  int Version;
  const char* LevelsAfter;
};
void PrintTo(const VersionRow& row, std::ostream* out) { *out << row.Name; }

// The version settles once per process; ctest gives each row a process.
class VisuXMLDumpVersionTest
    : public DumpFixture,
      public ::testing::WithParamInterface<VersionRow> {};

// Tests that record and variable settle the version once, the variable
// read as by atoi, a replay's level file trusted only for a well-formed
// line, and that a capture records the built-in level.
TEST_P(VisuXMLDumpVersionTest, SettlesOnce) {
  const VersionRow& row = GetParam();
  const std::string levels = _Tmp.File("levels.txt");
  if (row.Levels) WriteWholeFile(levels, row.Levels);
  Set("MOK_RECORD_MODE", row.Record);
  Set("MOK_RECORD_FILE", levels);
  Set("VISU_XML_DUMP_VERSION", row.Variable);
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), row.Version);
  Set("VISU_XML_DUMP_VERSION", "42");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), row.Version);
  EXPECT_EQ(ReadWholeFile(levels), row.LevelsAfter);
}

const char* const kLevel5 = "VisuXMLDumpLevel=5\n";
// A level file of garbage, the one good line ending in CRLF; one whose every
// level line is malformed or out of range.
const char* const kGarbage =
    "\x01\x02garbage\nVisuXMLDumpLevel=x\nVisuXMLDumpLevel=4\r\n\xff\xfe";
const char* const kBadLevels =
    "VisuXMLDumpLevel=\nVisuXMLDumpLevel= 5\nVisuXMLDumpLevel=5x\n=3\n"
    "VisuXMLDumpLevel\nVisuXMLDumpLevel=99999999999999999999\n";
const std::string kNines(1 << 20, '9');

INSTANTIATE_TEST_SUITE_P(
    Rows, VisuXMLDumpVersionTest,
    ::testing::Values(
        VersionRow{"Default", nullptr, nullptr, nullptr, 6, ""},
        VersionRow{"Capture", "capture", nullptr, "3", 3,
                   "VisuXMLDumpLevel=6\n"},
        VersionRow{"Replay", "replay", kLevel5, nullptr, 5, kLevel5},
        VersionRow{"ReplayWithoutLevels", "replay", nullptr, nullptr, 6, ""},
        VersionRow{"GarbageAroundALevel", "replay", kGarbage, nullptr, 4,
                   kGarbage},
        VersionRow{"OnlyBadLevels", "replay", kBadLevels, nullptr, 6,
                   kBadLevels},
        VersionRow{"VariableWins", "replay", kLevel5, "2", 2, kLevel5},
        VersionRow{"Atoi", nullptr, nullptr, "  +12abc", 12, ""},
        VersionRow{"HugeNegative", nullptr, nullptr, "-99999999999", INT_MIN,
                   ""},
        VersionRow{"JustAboveInt", nullptr, nullptr, "2147483648", INT_MAX, ""},
        VersionRow{"LowestInt", nullptr, nullptr, "-2147483648", INT_MIN, ""},
        VersionRow{"Empty", nullptr, nullptr, "", 0, ""},
        VersionRow{"MegabyteOfNines", nullptr, nullptr, kNines.c_str(), INT_MAX,
                   ""}));

// Name, "VISU_XML_DUMP_VERSION", value, four decimals flag, text.
struct FormatRow {
  const char *Name, *Variable;
  float Value;
  unsigned char FourDecimals;
  const char* Text;
};
void PrintTo(const FormatRow& row, std::ostream* out) { *out << row.Name; }

class BuildUnicodeStringFromFloatValueTest
    : public DumpFixture,
      public ::testing::WithParamInterface<FormatRow> {};

// Tests that values are rounded half away from zero, except in version 1.
TEST_P(BuildUnicodeStringFromFloatValueTest, RoundsByVersion) {
  Set("VISU_XML_DUMP_VERSION", GetParam().Variable);
  MOKUnicodeString text("previous");
  VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(
      GetParam().Value, text, GetParam().FourDecimals);
  EXPECT_EQ(std::string(text), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BuildUnicodeStringFromFloatValueTest,
    ::testing::Values(FormatRow{"Half", nullptr, 0.125f, 0, "0.13"},
                      FormatRow{"NegativeHalf", nullptr, -0.125f, 0, "-0.13"},
                      FormatRow{"NegativeZero", nullptr, -0.004f, 0, "-0.00"},
                      FormatRow{"FourDecimals", nullptr, 1.23456f, 1, "1.2346"},
                      FormatRow{"FourDecimalsHalf", nullptr, -0.03125f, 1,
                                "-0.0313"},
                      FormatRow{"VersionOne", "1", 0.125f, 0, "0.12"},
                      FormatRow{"VersionZero", "none", 0.125f, 0, "0.13"}));

}  // namespace
