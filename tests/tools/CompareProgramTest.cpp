#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "TemporaryDirectory.h"

namespace {

class CompareProgramTest : public ::testing::Test {
 protected:
  // Runs visuxml-compare with the arguments; its exit status.
  int Run(const std::string& arguments) {
    std::string command = std::string(VISUXML_COMPARE_PATH) + " " + arguments +
                          " >" + _Dir.File("stdout") + " 2>" +
                          _Dir.File("stderr");
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  TemporaryDirectory _Dir;
};

// Tests that --help prints the usage and succeeds.
TEST_F(CompareProgramTest, HelpSucceeds) {
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_EQ(ReadWholeFile(_Dir.File("stdout")).rfind("Usage:", 0), 0u);
}

// Tests that --version prints the program's name and version.
TEST_F(CompareProgramTest, VersionSucceeds) {
  EXPECT_EQ(Run("--version"), 0);
  EXPECT_EQ(ReadWholeFile(_Dir.File("stdout")).rfind("visuxml-compare ", 0), 0u);
}

// Tests that bad usage exits with 2 and a one-line reason.
TEST_F(CompareProgramTest, BadUsageExitsTwo) {
  EXPECT_EQ(Run("--bogus a b"), 2);
  EXPECT_EQ(ReadWholeFile(_Dir.File("stderr")).rfind(
                "visuxml-compare: unknown option '--bogus'\n", 0),
            0u);
}

// Tests that a difference exits with 1, as diff does.
TEST_F(CompareProgramTest, DifferenceExitsOne) {
  WriteWholeFile(_Dir.File("a.xml"), "<A x=\"1\"/>");
  WriteWholeFile(_Dir.File("b.xml"), "<A x=\"2\"/>");
  EXPECT_EQ(Run(_Dir.File("a.xml") + " " + _Dir.File("b.xml")), 1);
  EXPECT_EQ(Run(_Dir.File("a.xml") + " " + _Dir.File("a.xml")), 0);
}

}  // namespace
