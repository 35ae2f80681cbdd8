#include <gtest/gtest.h>

#include <string>

#include "MOKRecord.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"

namespace {

class MOKRecordTest : public ::testing::Test {
 protected:
  // The level a replay of that file reads under the name; 42 when missing.
  static int ReplayedLevel(const std::string& path, const char* name) {
    MOKRecord replay(MOKRecord::ReplayMode, path.c_str());
    int level = 42;
    replay.GetSoftwareRecordLevel(name, &level);
    return level;
  }

  TemporaryDirectory _Directory;
  std::string _Levels = _Directory.File("levels.txt");
};

// Tests that a capture rewrites the level file at once, one line per name, that
// a replay reads the levels back, and that an unreadable file reads as missing
// levels (malformed lines are the version tests' rows).
TEST_F(MOKRecordTest, CapturedLevelsAreReplayed) {
  MOKRecord capture(MOKRecord::CaptureMode, _Levels.c_str());
  capture.SetSoftwareRecordLevel("A", 1);
  capture.SetSoftwareRecordLevel("B", 2);
  capture.SetSoftwareRecordLevel("A", -3);
  EXPECT_EQ(ReadWholeFile(_Levels), "B=2\nA=-3\n");
  EXPECT_EQ(ReplayedLevel(_Levels, "A") + ReplayedLevel(_Levels, "Missing") +
                ReplayedLevel(_Directory.Path(), "A"),
            -3 + 42 + 42);
}

// A value of "MOK_RECORD_MODE", the record it gives (0 none, 1 capture,
// 2 replay) and the diagnostic it gives.
struct ModeRow {
  const char* Mode;
  int Kind;
  const char* Diagnostic;
};

const char kUnknownMode[] =
    "VisuXMLDump: Unknown record mode \"Replay2\" in \"MOK_RECORD_MODE\": the "
    "accepted values are \"capture\" and \"replay\", in any letter case.\n"
    "VisuXMLDump: The process runs without a record, interactively: nothing is "
    "captured or compared.\n";

// The main record settles once per process; ctest gives each row a process.
class MOKRecordModeTest : public ::testing::Test,
                          public ::testing::WithParamInterface<ModeRow> {};

// Tests that the environment selects the main record once per process, in
// any letter case, and that only an unknown value gives a diagnostic.
TEST_P(MOKRecordModeTest, MainRecordFromEnvironment) {
  TemporaryDirectory directory;
  const std::string diagnostics = directory.File("diagnostics.txt");
  ScopedEnvironment channel("MOK_DIAGNOSTIC_FILE", diagnostics.c_str());
  MOKRecord* record;
  {
    ScopedEnvironment mode("MOK_RECORD_MODE", GetParam().Mode);
    record = MOKRecord::GetMain();
  }
  ScopedEnvironment later("MOK_RECORD_MODE", "capture");
  EXPECT_EQ(MOKRecord::GetMain(), record);
  EXPECT_EQ(
      record ? (record->IsCapture() ? 1 : 0) + (record->IsReplay() ? 2 : 0) : 0,
      GetParam().Kind);
  EXPECT_EQ(ReadWholeFile(diagnostics), GetParam().Diagnostic);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MOKRecordModeTest,
    ::testing::Values(ModeRow{"capture", 1, ""}, ModeRow{"replay", 2, ""},
                      ModeRow{"Replay", 2, ""}, ModeRow{"CAPTURE", 1, ""},
                      ModeRow{"Replay2", 0, kUnknownMode}, ModeRow{"", 0, ""},
                      ModeRow{nullptr, 0, ""}));

}  // namespace
