#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ControlFixture.h"
#include "TemporaryDirectory.h"
#include "VisuXMLDumpVersion.h"

namespace {

class VisuXMLDumpVersionTest : public ControlFixture {
 protected:
  std::string RecordFile() const { return _Temporary.File("record.txt"); }

  void ConfigureRecord(const char* mode) {
    SetEnvironment("MOK_RECORD_MODE", mode);
    SetEnvironment("MOK_RECORD_FILE", RecordFile());
  }
};

// Tests that without record service or variable the version is 6.
TEST_F(VisuXMLDumpVersionTest, DefaultsToSix) {
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 6);
}

// Tests that the variable overrides the built-in version.
TEST_F(VisuXMLDumpVersionTest, VariableOverridesBuiltInVersion) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "3");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 3);
}

// Tests that the version is settled once: a later variable has no effect.
TEST_F(VisuXMLDumpVersionTest, IsSettledAtFirstCall) {
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 6);
  SetEnvironment("VISU_XML_DUMP_VERSION", "2");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 6);
}

// Tests that a capture records the built-in 6 while working with the
// variable's 3.
TEST_F(VisuXMLDumpVersionTest, CaptureRecordsBuiltInVersion) {
  ConfigureRecord("capture");
  SetEnvironment("VISU_XML_DUMP_VERSION", "3");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 3);
  EXPECT_EQ(ReadWholeFile(RecordFile()), "VisuXMLDumpLevel=6\n");
}

// Tests that a replay takes the recorded level.
TEST_F(VisuXMLDumpVersionTest, ReplayReadsRecordedLevel) {
  WriteWholeFile(RecordFile(), "VisuXMLDumpLevel=5\n");
  ConfigureRecord("replay");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 5);
}

// Tests that the variable wins over the recorded level.
TEST_F(VisuXMLDumpVersionTest, VariableWinsOverRecordedLevel) {
  WriteWholeFile(RecordFile(), "VisuXMLDumpLevel=5\n");
  ConfigureRecord("replay");
  SetEnvironment("VISU_XML_DUMP_VERSION", "2");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 2);
}

// Tests that a replay whose record lacks the level keeps the built-in 6.
TEST_F(VisuXMLDumpVersionTest, ReplayWithoutLevelKeepsBuiltInVersion) {
  WriteWholeFile(RecordFile(), "Other=5\n");
  ConfigureRecord("replay");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 6);
}

// Tests that a value without leading digits gives version 0.
TEST_F(VisuXMLDumpVersionTest, NonNumericValueGivesZero) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "abc");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 0);
}

// Tests that blanks, a sign and trailing text are read as atoi reads them.
TEST_F(VisuXMLDumpVersionTest, ValueIsReadAsByAtoi) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "  +12abc");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 12);
}

// Tests that a negative value is kept.
TEST_F(VisuXMLDumpVersionTest, NegativeValueIsKept) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "-4");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), -4);
}

// Tests that a huge value is clamped to the largest int.
TEST_F(VisuXMLDumpVersionTest, HugeValueIsClampedToIntMax) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "123456789012345678901234567890");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), INT_MAX);
}

// Tests that a huge negative value is clamped to the smallest int.
TEST_F(VisuXMLDumpVersionTest, HugeNegativeValueIsClampedToIntMin) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "-99999999999");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), INT_MIN);
}

// Tests that the smallest int itself is read exactly.
TEST_F(VisuXMLDumpVersionTest, SmallestIntIsReadExactly) {
  SetEnvironment("VISU_XML_DUMP_VERSION", "-2147483648");
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), INT_MIN);
}

}  // namespace
