#include "CompareOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Tests that --real may be repeated and keeps every name in order.
TEST(CompareOptionsTest, RealIsRepeatable) {
  CompareArguments result =
      ParseCompareArguments({"--real", "X", "a", "--real", "Y", "b"});
  ASSERT_EQ(result.command, CompareCommand::Compare);
  EXPECT_EQ(result.options.realNames, (std::vector<std::string>{"X", "Y"}));
  EXPECT_EQ(result.options.referencePath, "a");
  EXPECT_EQ(result.options.outputPath, "b");
}

// Tests that bad command lines are refused with the offending word named.
TEST(CompareOptionsTest, BadUsageIsNamed) {
  const std::vector<std::pair<std::vector<std::string>, const char*>> cases = {
      {{"--dump-version", "six", "a", "b"}, "six"},
      {{"--fast", "a", "b"}, "--fast"},
      {{"a", "b", "--report"}, "--report"},
      {{"a"}, ""},
      {{"a", "b", "c"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second);
    CompareArguments result = ParseCompareArguments(c.first);
    EXPECT_EQ(result.command, CompareCommand::BadUsage);
    EXPECT_NE(result.error.find(c.second), std::string::npos);
  }
}

}  // namespace
