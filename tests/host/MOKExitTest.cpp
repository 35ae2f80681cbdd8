#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "MOKExit.h"
#include "TemporaryDirectory.h"

namespace {

int gOrder = 0;

int EndWithTenTimesArgument(int argument) {
  MOKExit(argument * 10);
  return 0;
}

int RecordFirstHook(int argument) {
  // Runs after the second hook only when hooks run in reverse order.
  if (gOrder != 2) MOKExit(1);
  MOKExit(argument);
  return 0;
}

int RecordSecondHook(int /*argument*/) {
  gOrder = 2;
  return 0;
}

class MOKExitTest : public ::testing::Test {};

// Tests that MOKExit ends the process at once with its code.
TEST_F(MOKExitTest, ExitEndsWithTheCode) {
  EXPECT_EXIT(MOKExit(17), ::testing::ExitedWithCode(17), "");
}

// Tests that MOKExit flushes buffered streams before ending.
TEST_F(MOKExitTest, ExitFlushesBufferedStreams) {
  // The child must share the parent's directory: fork, do not re-run.
  GTEST_FLAG_SET(death_test_style, "fast");
  TemporaryDirectory directory;
  const std::string path = directory.File("buffered.txt");
  EXPECT_EXIT(
      {
        std::FILE* file = std::fopen(path.c_str(), "w");
        if (file != nullptr) std::fputs("buffered-text", file);
        MOKExit(3);
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_EQ(ReadWholeFile(path), "buffered-text");
}

// Tests that a registered hook runs at exit with its argument and may end
// the process with MOKExit.
TEST_F(MOKExitTest, HookRunsAtExitWithItsArgument) {
  EXPECT_EXIT(
      {
        MOKCallOnExit(EndWithTenTimesArgument, 11);
        std::exit(0);
      },
      ::testing::ExitedWithCode(110), "");
}

// Tests that hooks run in reverse order of registration.
TEST_F(MOKExitTest, HooksRunInReverseOrder) {
  EXPECT_EXIT(
      {
        MOKCallOnExit(RecordFirstHook, 5);
        MOKCallOnExit(RecordSecondHook, 0);
        std::exit(0);
      },
      ::testing::ExitedWithCode(5), "");
}

}  // namespace
