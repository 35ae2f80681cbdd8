#ifndef ControlFixture_h
#define ControlFixture_h

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"

// Clears every variable the dump control reads, so a test sees only what
// it sets, and offers reference, output and temporary directories.
class ControlFixture : public ::testing::Test {
 protected:
  ControlFixture();
  ~ControlFixture() override;

  void SetEnvironment(const char* name, const char* value);
  void SetEnvironment(const char* name, const std::string& value) {
    SetEnvironment(name, value.c_str());
  }
  // A replay of test case T1 recorded by the host's record service.
  void ConfigureRecordedReplay();
  // A capture of test case T1 into the reference directory.
  void ConfigureCapture();

  TemporaryDirectory _Reference;
  TemporaryDirectory _Output;
  TemporaryDirectory _Temporary;

 private:
  std::vector<std::unique_ptr<ScopedEnvironment>> _Environment;
};

#endif
