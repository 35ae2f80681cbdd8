#include <gtest/gtest.h>

#include <string>

#include "MOKDiagnostic.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"

namespace {

// Tests that every line of a message is prefixed with its source, written
// to standard error while "MOK_DIAGNOSTIC_FILE" is unset or empty, and
// appended to that file, message after message, once it is set.
TEST(MOKDiagnosticTest, PrefixesEveryLineOnStandardErrorOrInTheFile) {
  TemporaryDirectory directory;
  const std::string file = directory.File("diagnostics.txt");
  for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
    ScopedEnvironment variable("MOK_DIAGNOSTIC_FILE", unset);
    ::testing::internal::CaptureStderr();
    MOKReportDiagnostic("Probe", "first\nsecond");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Probe: first\nProbe: second\n");
  }
  ScopedEnvironment variable("MOK_DIAGNOSTIC_FILE", file.c_str());
  ::testing::internal::CaptureStderr();
  MOKReportDiagnostic("Probe", "one");
  MOKReportDiagnostic("Other", "two\n\nthree\n");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(ReadWholeFile(file),
            "Probe: one\nOther: two\nOther: \nOther: three\n");
}

}  // namespace
