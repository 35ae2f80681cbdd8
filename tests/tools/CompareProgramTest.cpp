#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "TemporaryDirectory.h"

namespace {

class CompareProgramTest : public ::testing::Test {
 protected:
  // Runs the command in the directory, standard output and error kept in
  // files; its exit status.
  int Shell(const std::string& command) {
    const std::string line =
        "cd '" + _Dir.Path() + "' && " + command + " >stdout 2>stderr";
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Run(const std::string& environment, const std::string& arguments) {
    return Shell(environment + " " + VISUXML_COMPARE_PATH + " " + arguments);
  }
  std::string Printed(const char* stream) {
    return ReadWholeFile(_Dir.File(stream));
  }
  TemporaryDirectory _Dir;
};

// A pattern ending in "..." matches any text that starts with the rest;
// any other only itself.
void ExpectMatches(const std::string& text, const std::string& pattern) {
  const std::size_t dots = pattern.size() >= 3 ? pattern.size() - 3 : 0;
  if (pattern.size() >= 3 && pattern.compare(dots, 3, "...") == 0)
    EXPECT_EQ(text.substr(0, dots), pattern.substr(0, dots));
  else
    EXPECT_EQ(text, pattern);
}

// Tests, each run a process of its own, the exit status as diff has it and
// what goes to standard output and error: nothing for the same files unless
// -s, nothing at all on standard output with -q, "-" for standard input,
// the reasons of trouble, the dump version from the environment or the
// options, bad usage.
TEST_F(CompareProgramTest, BehavesAsAComparisonTool) {
  WriteWholeFile(_Dir.File("a.xml"), "<A x=\"1\"/>");
  WriteWholeFile(_Dir.File("b.xml"), "<A x=\"1.002\"/>");
  const std::string changed =
      "/A/@x: The attribute x value has changed from 1 to 1.002.\nSummary: 1 "
      "difference (1 changed value); ";
  const std::string usage =
      "\nTry 'visuxml-compare --help' for more information.\n";
  const struct {
    const char* environment;
    const char* arguments;
    int status;
    std::string out, err;
  } cases[] = {
      {"", "--help", 0,
       "Usage: visuxml-compare [OPTION]... REFERENCE OUTPUT\n...", ""},
      {"", "-V", 0, "visuxml-compare ...", ""},
      {"", "-q -s a.xml b.xml", 1, "", ""},
      {"", "-q no.xml a.xml", 2, "",
       "visuxml-compare: no.xml: No such file or directory\n"},
      {"", "- b.xml <a.xml", 1, changed + "...", ""},
      {"", "-s a.xml - <a.xml", 0, "Files a.xml and - are identical\n", ""},
      {"", "a.xml - </dev/null", 2, "",
       "visuxml-compare: -: no element found at line 1, column 1\n"},
      {"", "a.xml - <.", 2, "", "visuxml-compare: -: Is a directory\n"},
      {"VISU_XML_DUMP_VERSION=1", "-n a.xml b.xml", 1, changed + "...", ""},
      {"VISU_XML_DUMP_VERSION=1", "-n --dump-version=99 a.xml b.xml", 0, "",
       ""},
      {"", "--bogus a.xml b.xml", 2, "",
       "visuxml-compare: unrecognized option '--bogus'" + usage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    EXPECT_EQ(Run(c.environment, c.arguments), c.status);
    ExpectMatches(Printed("stdout"), c.out);
    ExpectMatches(Printed("stderr"), c.err);
  }
}

// Tests that the installed package holds each tool and its manual page,
// and that the page renders without warnings and tells every option --help
// lists.
TEST_F(CompareProgramTest, ManualPagesAreInstalledAndComplete) {
  const std::string prefix = _Dir.File("prefix");
  ASSERT_EQ(Shell(std::string("'") + VISUXML_CMAKE_COMMAND + "' --install '" +
                  VISUXML_BINARY_DIR + "' --prefix '" + prefix + "'"),
            0)
      << Printed("stderr");
  const struct {
    const char* tool;
    std::size_t options;
    std::vector<const char*> sections;
  } tools[] = {
      {"visuxml-compare",
       13,
       {"SYNOPSIS", "OPTIONS", "OUTPUT FORMAT", "HTML PAGE", "EXIT STATUS"}},
      {"visuxml-approve", 4, {"SYNOPSIS", "OPTIONS", "EXIT STATUS"}}};
  for (const auto& t : tools) {
    SCOPED_TRACE(t.tool);
    const std::string page =
        prefix + "/" + VISUXML_INSTALL_MANDIR + "/man1/" + t.tool + ".1";
    ASSERT_TRUE(FileExists(page));
    ASSERT_EQ(Shell("'" + prefix + "/bin/" + t.tool + "' --help"), 0);
    const std::string help = Printed("stdout");
    if (Shell("command -v groff") != 0)
      GTEST_SKIP() << "groff is not installed";
    ASSERT_EQ(
        Shell("groff -man -Tascii -ww -rLL=300n -rHY=0 -P-cbou '" + page + "'"),
        0);
    EXPECT_EQ(Printed("stderr"), "");
    const std::string manual = Printed("stdout");
    for (const char* section : t.sections)
      EXPECT_NE(manual.find(section), std::string::npos) << section;
    // Each option line of --help: its short and long forms, or the long one.
    const std::regex entry("\\n +((-[a-zA-Z], )?--[a-z-]*)");
    std::set<std::string> options;
    for (std::sregex_iterator it(help.begin(), help.end(), entry), end;
         it != end; ++it)
      options.insert((*it)[1]);
    EXPECT_EQ(options.size(), t.options);
    for (const std::string& name : options)
      EXPECT_NE(manual.find(name), std::string::npos) << name;
  }
}

}  // namespace
