#include <gtest/gtest.h>

#include <string>

#include "MOKRecord.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"

namespace {

class MOKRecordTest : public ::testing::Test {
 protected:
  void TearDown() override { MOKRecord::SetMain(nullptr); }

  std::string LevelFile() const { return _Directory.File("levels.txt"); }

  TemporaryDirectory _Directory;
};

// Tests that without "MOK_RECORD_MODE" there is no record service.
TEST_F(MOKRecordTest, NoModeGivesNoRecord) {
  ScopedEnvironment mode("MOK_RECORD_MODE", nullptr);
  EXPECT_EQ(MOKRecord::GetMain(), nullptr);
}

// Tests that an unknown mode gives no record service either.
TEST_F(MOKRecordTest, UnknownModeGivesNoRecord) {
  ScopedEnvironment mode("MOK_RECORD_MODE", "record");
  EXPECT_EQ(MOKRecord::GetMain(), nullptr);
}

// Tests that "capture" in the environment gives a capturing record.
TEST_F(MOKRecordTest, CaptureModeFromEnvironment) {
  ScopedEnvironment mode("MOK_RECORD_MODE", "capture");
  MOKRecord* record = MOKRecord::GetMain();
  ASSERT_NE(record, nullptr);
  EXPECT_NE(record->IsCapture(), 0);
  EXPECT_EQ(record->IsReplay(), 0);
}

// Tests that the record is settled once: a later change of mode is ignored.
TEST_F(MOKRecordTest, MainRecordIsSettledOnce) {
  {
    ScopedEnvironment mode("MOK_RECORD_MODE", "replay");
    ASSERT_NE(MOKRecord::GetMain(), nullptr);
  }
  ScopedEnvironment mode("MOK_RECORD_MODE", "capture");
  EXPECT_NE(MOKRecord::GetMain()->IsReplay(), 0);
}

// Tests that a captured level is in the file at once and a replay reads it.
TEST_F(MOKRecordTest, CapturedLevelIsReplayed) {
  MOKRecord capture(MOKRecord::CaptureMode, LevelFile().c_str());
  capture.SetSoftwareRecordLevel("Depth", 7);
  EXPECT_EQ(ReadWholeFile(LevelFile()), "Depth=7\n");
  MOKRecord replay(MOKRecord::ReplayMode, LevelFile().c_str());
  int level = 0;
  EXPECT_EQ(replay.GetSoftwareRecordLevel("Depth", &level), 1);
  EXPECT_EQ(level, 7);
}

// Tests that storing a level again replaces its line and keeps the others.
TEST_F(MOKRecordTest, CaptureReplacesTheLineOfTheName) {
  MOKRecord capture(MOKRecord::CaptureMode, LevelFile().c_str());
  capture.SetSoftwareRecordLevel("A", 1);
  capture.SetSoftwareRecordLevel("B", 2);
  capture.SetSoftwareRecordLevel("A", -3);
  EXPECT_EQ(ReadWholeFile(LevelFile()), "B=2\nA=-3\n");
}

// Tests that a missing level leaves the int alone and returns 0.
TEST_F(MOKRecordTest, MissingLevelLeavesValueUnchanged) {
  WriteWholeFile(LevelFile(), "Other=4\n");
  MOKRecord replay(MOKRecord::ReplayMode, LevelFile().c_str());
  int level = 42;
  EXPECT_EQ(replay.GetSoftwareRecordLevel("Depth", &level), 0);
  EXPECT_EQ(level, 42);
}

// Tests that garbage lines count as missing levels.
TEST_F(MOKRecordTest, GarbageLinesAreIgnored) {
  WriteWholeFile(LevelFile(),
                 "Depth\nDepth=\nDepth=5x\nDepth= 5\nDepth=99999999999\n");
  MOKRecord replay(MOKRecord::ReplayMode, LevelFile().c_str());
  int level = 42;
  EXPECT_EQ(replay.GetSoftwareRecordLevel("Depth", &level), 0);
  EXPECT_EQ(level, 42);
}

// Tests that an unreadable level file (here a directory) reads as missing.
TEST_F(MOKRecordTest, UnreadableFileReadsAsMissing) {
  MOKRecord replay(MOKRecord::ReplayMode, _Directory.Path().c_str());
  int level = 42;
  EXPECT_EQ(replay.GetSoftwareRecordLevel("Depth", &level), 0);
  EXPECT_EQ(level, 42);
}

// Tests that the environment's record uses the file of "MOK_RECORD_FILE".
TEST_F(MOKRecordTest, EnvironmentRecordUsesItsLevelFile) {
  WriteWholeFile(LevelFile(), "Depth=5\n");
  ScopedEnvironment mode("MOK_RECORD_MODE", "replay");
  ScopedEnvironment file("MOK_RECORD_FILE", LevelFile().c_str());
  int level = 0;
  ASSERT_NE(MOKRecord::GetMain(), nullptr);
  EXPECT_EQ(MOKRecord::GetMain()->GetSoftwareRecordLevel("Depth", &level), 1);
  EXPECT_EQ(level, 5);
}

// Tests that a record installed by SetMain replaces the environment's.
TEST_F(MOKRecordTest, SetMainInstallsTheRecord) {
  ScopedEnvironment mode("MOK_RECORD_MODE", nullptr);
  MOKRecord capture(MOKRecord::CaptureMode, LevelFile().c_str());
  MOKRecord::SetMain(&capture);
  EXPECT_EQ(MOKRecord::GetMain(), &capture);
}

}  // namespace
