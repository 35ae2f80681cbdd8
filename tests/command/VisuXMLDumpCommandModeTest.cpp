#include <gtest/gtest.h>

#include "DumpCommandProbes.h"
#include "ScopedEnvironment.h"

namespace {

// The dump version settles once per process, so each case sets the
// variable before anything asks for it; ctest runs each in its own process.
class VisuXMLDumpCommandModeTest : public ::testing::Test {
 protected:
  MOKCommandMode StartingModeFor(const char* version) {
    ScopedEnvironment variable("VISU_XML_DUMP_VERSION", version);
    ProbeDumpCommand command(_Probe, 0, nullptr);
    return command.GetMode();
  }

  CommandProbe _Probe;
};

// Tests that version 2 starts the command in mode 1.
TEST_F(VisuXMLDumpCommandModeTest, VersionTwoStartsInModeOne) {
  EXPECT_EQ(StartingModeFor("2"), 1);
}

// Tests that version 3 starts the command in mode 3.
TEST_F(VisuXMLDumpCommandModeTest, VersionThreeStartsInModeThree) {
  EXPECT_EQ(StartingModeFor("3"), 3);
}

// Tests that version 6 starts the command in mode 3.
TEST_F(VisuXMLDumpCommandModeTest, VersionSixStartsInModeThree) {
  EXPECT_EQ(StartingModeFor("6"), 3);
}

// Tests that the default version starts the command in mode 3.
TEST_F(VisuXMLDumpCommandModeTest, DefaultVersionStartsInModeThree) {
  EXPECT_EQ(StartingModeFor(nullptr), 3);
}

// Tests that a non-numeric version reads as 0 and starts in mode 1.
TEST_F(VisuXMLDumpCommandModeTest, NonNumericVersionStartsInModeOne) {
  EXPECT_EQ(StartingModeFor("latest"), 1);
}

}  // namespace
