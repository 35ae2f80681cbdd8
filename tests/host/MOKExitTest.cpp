#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "MOKExit.h"

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

// Tests that MOKExit flushes buffered standard output before ending.
TEST_F(MOKExitTest, ExitFlushesStandardOutput) {
  EXPECT_EXIT(
      {
        std::fputs("flushed-text", stderr);
        MOKExit(3);
      },
      ::testing::ExitedWithCode(3), "flushed-text");
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
