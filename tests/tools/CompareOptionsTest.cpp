#include "CompareOptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PlainDecimal.h"

namespace {

// The options as one line, only the fields that differ from the defaults.
std::string Describe(const CompareOptions& o) {
  std::string text = o.referencePath + " " + o.outputPath;
  for (const std::string& name : o.realNames) text += " real=" + name;
  if (o.realAllNumeric) text += " n";
  if (o.dumpVersion != 0) text += " v" + std::to_string(o.dumpVersion);
  if (o.absoluteTolerance >= 0)
    text += " a" + std::to_string(o.absoluteTolerance);
  if (o.relativeTolerance >= 0)
    text += " r" + std::to_string(o.relativeTolerance);
  if (!o.reportPath.empty()) text += " report=" + o.reportPath;
  if (!o.htmlPath.empty()) text += " html=" + o.htmlPath;
  if (o.quiet) text += " q";
  if (o.reportIdentical) text += " s";
  return text;
}

// Tests the getopt_long forms: "=value" or the next word, short forms
// alone, grouped or with the value attached, unique prefixes, options
// after the files, "--" before a file that starts with a dash, "-".
TEST(CompareOptionsTest, AcceptsTheUsualForms) {
  const struct {
    std::vector<std::string> args;
    const char* options;
  } cases[] = {
      {{"--real=X", "--real", "Y", "-RZ", "-R", "W", "a", "b"},
       "a b real=X real=Y real=Z real=W"},
      {{"--dump-version=7", "a", "b"}, "a b v7"},
      {{"a", "-d", "007", "b"}, "a b v7"},
      {{"a", "b", "--report", "r.xml", "--html=p.html"},
       "a b report=r.xml html=p.html"},
      {{"-qs", "-", "b"}, "- b q s"},
      {{"--quie", "--report-i", "a", "-"}, "a - q s"},
      {{"--", "-a.xml", "--quiet"}, "-a.xml --quiet"},
      {{"-n", "--abs-tolerance=0.5", "-r", "1e-2", "a", "b"},
       "a b n a0.500000 r0.010000"},
      {{"--real-all-numeric", "-a0", "a", "b"}, "a b n a0.000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    const CompareArguments result = ParseCompareArguments(c.args);
    ASSERT_EQ(result.command, CompareCommand::Compare) << result.error;
    EXPECT_EQ(Describe(result.options), c.options);
  }
  EXPECT_EQ(ParseCompareArguments({"a", "--help", "--bogus"}).command,
            CompareCommand::ShowHelp);
  EXPECT_EQ(ParseCompareArguments({"-V"}).command, CompareCommand::ShowVersion);
}

// Tests that a bad command line is refused with what is wrong in it.
TEST(CompareOptionsTest, RefusesBadCommandLines) {
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{"--dump-version", "99x", "a", "b"},
       "--dump-version needs a positive integer, not '99x'"},
      {{"--dump-version", "-5", "a", "b"}, "not '-5'"},
      {{"-d0", "a", "b"}, "not '0'"},
      {{"--dump-version=", "a", "b"}, "not ''"},
      {{"-d", "99999999999", "a", "b"}, "not '99999999999'"},
      {{"-n", "--abs-tolerance=-1", "a", "b"},
       "--abs-tolerance needs a non-negative decimal number, not '-1'"},
      {{"-n", "-r", "nan", "a", "b"}, "not 'nan'"},
      {{"-n", "-r", "0x1", "a", "b"}, "not '0x1'"},
      {{"-n", "-a", "1e999", "a", "b"}, "not '1e999'"},
      {{"-a", "0.1", "a", "b"}, "apply to real attributes"},
      {{"--real=", "a", "b"}, "--real needs an attribute name"},
      {{"--report=", "a", "b"}, "--report needs a file name"},
      {{"--html", "", "a", "b"}, "--html needs a file name"},
      {{"--bogus", "a", "b"}, "unrecognized option '--bogus'"},
      {{"-x", "a", "b"}, "invalid option -- 'x'"},
      {{"a", "b", "--report"}, "option '--report' requires an argument"},
      {{"a", "b", "-d"}, "option '--dump-version' requires an argument"},
      {{"--quiet=1", "a", "b"}, "option '--quiet' doesn't allow an argument"},
      {{"--re=1", "a", "b"}, "option '--re' is ambiguous"},
      {{"a"}, "missing file: give REFERENCE and OUTPUT"},
      {{"a", "b", "c"}, "extra file 'c'"},
      {{"-", "-"}, "standard input ('-') can stand for one file only"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    const CompareArguments result = ParseCompareArguments(c.args);
    EXPECT_EQ(result.command, CompareCommand::BadUsage);
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
  }
}

// Tests the numbers --real-all-numeric and the tolerances accept: plain
// decimals only.
TEST(CompareOptionsTest, PlainDecimalsOnly) {
  for (const char* text : {"0", "-1.5", "+.5", "5.", "1e3", "2.5E-07", "007"})
    EXPECT_TRUE(IsPlainDecimal(text, std::strlen(text))) << text;
  for (const char* text : {"", "+", ".", "-.", "e5", "1e", "1e+", "0x10",
                           "inf", "nan", " 1", "1 ", "1,5", "1.2.3", "1e2.5"})
    EXPECT_FALSE(IsPlainDecimal(text, std::strlen(text))) << text;
}

}  // namespace
