#include <gtest/gtest.h>

#include <cstdlib>

#include "MOKExit.h"

namespace {

int gHooksRun = 0;

// Ends with its argument only when the hook registered after it ran first.
int FirstHook(int argument) { MOKExit(gHooksRun == 1 ? argument : 1); }

int SecondHook(int /*argument*/) { return ++gHooksRun; }

// Tests that MOKExit ends the process at once with its code, and that hooks run at exit in
// reverse order of registration, with their argument, and may end the process with MOKExit.
TEST(MOKExitTest, ExitCodeAndHooksInReverseOrder) {
  EXPECT_EXIT(MOKExit(17), ::testing::ExitedWithCode(17), "");
  EXPECT_EXIT(
      {
        MOKCallOnExit(FirstHook, 110);
        MOKCallOnExit(SecondHook, 0);
        std::exit(0);
      },
      ::testing::ExitedWithCode(110), "");
}

}  // namespace
