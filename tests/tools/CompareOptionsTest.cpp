#include "CompareOptions.h"

#include <gtest/gtest.h>

namespace {

class CompareOptionsTest : public ::testing::Test {
 protected:
  CompareArguments Parse(std::vector<std::string> args) {
    return ParseCompareArguments(args);
  }
};

// Tests that two file names alone ask for a plain comparison.
TEST_F(CompareOptionsTest, TwoFilesAskForComparison) {
  CompareArguments result = Parse({"ref.xml", "out.xml"});
  ASSERT_EQ(result.command, CompareCommand::Compare);
  EXPECT_EQ(result.options.referencePath, "ref.xml");
  EXPECT_EQ(result.options.outputPath, "out.xml");
  EXPECT_TRUE(result.options.realNames.empty());
  EXPECT_FALSE(result.options.realAllNumeric);
}

// Tests that --real may be repeated and keeps every name in order.
TEST_F(CompareOptionsTest, RealIsRepeatable) {
  CompareArguments result = Parse({"--real", "X", "a", "--real", "Y", "b"});
  ASSERT_EQ(result.command, CompareCommand::Compare);
  EXPECT_EQ(result.options.realNames, (std::vector<std::string>{"X", "Y"}));
}

// Tests that the valued options store their values.
TEST_F(CompareOptionsTest, ValuedOptionsAreStored) {
  CompareArguments result = Parse({"--real-all-numeric", "--dump-version",
                                   "2", "--report", "r.xml", "a", "b"});
  ASSERT_EQ(result.command, CompareCommand::Compare);
  EXPECT_TRUE(result.options.realAllNumeric);
  EXPECT_EQ(result.options.dumpVersion, "2");
  EXPECT_EQ(result.options.reportPath, "r.xml");
}

// Tests that a dump version that is not an integer is bad usage.
TEST_F(CompareOptionsTest, NonIntegerDumpVersionIsBadUsage) {
  CompareArguments result = Parse({"--dump-version", "six", "a", "b"});
  EXPECT_EQ(result.command, CompareCommand::BadUsage);
  EXPECT_NE(result.error.find("six"), std::string::npos);
}

// Tests that an option missing its value is bad usage.
TEST_F(CompareOptionsTest, MissingValueIsBadUsage) {
  EXPECT_EQ(Parse({"a", "b", "--report"}).command, CompareCommand::BadUsage);
}

// Tests that an unknown option is bad usage and named in the error.
TEST_F(CompareOptionsTest, UnknownOptionIsBadUsage) {
  CompareArguments result = Parse({"--fast", "a", "b"});
  EXPECT_EQ(result.command, CompareCommand::BadUsage);
  EXPECT_NE(result.error.find("--fast"), std::string::npos);
}

// Tests that one or three files are bad usage.
TEST_F(CompareOptionsTest, WrongNumberOfFilesIsBadUsage) {
  EXPECT_EQ(Parse({"a"}).command, CompareCommand::BadUsage);
  EXPECT_EQ(Parse({"a", "b", "c"}).command, CompareCommand::BadUsage);
}

// Tests that --help and --version win over everything else.
TEST_F(CompareOptionsTest, HelpAndVersionNeedNoFiles) {
  EXPECT_EQ(Parse({"--help"}).command, CompareCommand::ShowHelp);
  EXPECT_EQ(Parse({"--version"}).command, CompareCommand::ShowVersion);
}

}  // namespace
