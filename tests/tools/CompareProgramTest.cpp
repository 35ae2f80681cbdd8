#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "TemporaryDirectory.h"

namespace {

class CompareProgramTest : public ::testing::Test {
 protected:
  // Runs visuxml-compare in the directory; its exit status.
  int Run(const std::string& arguments) {
    const std::string command = "cd '" + _Dir.Path() + "' && " +
                                VISUXML_COMPARE_PATH + " " + arguments +
                                " >stdout 2>stderr";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  TemporaryDirectory _Dir;
};

// Tests the exit status as diff has it and the start of what is printed,
// each run a process of its own, so --dump-version applies to its run.
TEST_F(CompareProgramTest, ExitsAsDiffDoes) {
  WriteWholeFile(_Dir.File("a.xml"), "<A x=\"1\"/>");
  WriteWholeFile(_Dir.File("b.xml"), "<A x=\"1.002\"/>");
  const struct {
    const char* arguments;
    int status;
    const char *stream, *start;
  } cases[] = {
      {"--help", 0, "stdout", "Usage: visuxml-compare [OPTIONS] REFERENCE "
                              "OUTPUT\n"},
      {"--version", 0, "stdout", "visuxml-compare "},
      {"--bogus a.xml b.xml", 2, "stderr",
       "visuxml-compare: unknown option '--bogus'\n"},
      {"a.xml a.xml", 0, "stdout", "Summary: no difference;"},
      {"a.xml b.xml", 1, "stdout",
       "/A/@x: The attribute x value has changed from 1 to 1.002.\n"},
      {"--real x a.xml b.xml", 0, "stdout", "Summary: no difference;"},
      {"--dump-version 1 --real x a.xml b.xml", 1, "stdout", "/A/@x: "},
      {"no.xml a.xml", 2, "stderr", "visuxml-compare: cannot read no.xml\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    EXPECT_EQ(Run(c.arguments), c.status);
    EXPECT_EQ(ReadWholeFile(_Dir.File(c.stream)).rfind(c.start, 0), 0u);
  }
}

}  // namespace
