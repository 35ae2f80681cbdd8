#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "MOKExit.h"
#include "TemporaryDirectory.h"

namespace {

int gHooksRun = 0;

// Ends with its argument only when the hook registered after it ran first.
int FirstHook(int argument) { MOKExit(gHooksRun == 1 ? argument : 1); }

int SecondHook(int /*argument*/) { return ++gHooksRun; }

// Tests that MOKExit ends the process at once with its code, and that hooks run
// at exit in reverse order of registration, with their argument, and may end
// the process with MOKExit.
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

// Tests that a program whose replay fails ends with 110 only after its own exit
// handler and static destructor ran, both registered before the failure, and
// with its output flushed.
TEST(MOKExitTest, FailedReplayEndsAfterTheProgramsCleanup) {
  TemporaryDirectory directory;
  const std::string command = std::string(VISUXML_EXIT_ORDER_PROGRAM) + " '" +
                              directory.Path() + "' >'" +
                              directory.File("stdout") + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 110);
  EXPECT_EQ(ReadWholeFile(directory.File("marks")),
            "exit handler\nstatic destructor\n");
  EXPECT_EQ(ReadWholeFile(directory.File("stdout")), "replay result 6\n");
}

}  // namespace
