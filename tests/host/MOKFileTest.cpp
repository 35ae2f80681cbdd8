#include <gtest/gtest.h>

#include <string>

#include "MOKFile.h"
#include "MOKUnicodeString.h"
#include "TemporaryDirectory.h"

namespace {

class MOKFileTest : public ::testing::Test {
 protected:
  // The path as the library writes it: directory and name joined by '\'.
  MOKUnicodeString HostPath(const std::string& name) const {
    return MOKUnicodeString(_Directory.Path() + "\\" + name);
  }

  TemporaryDirectory _Directory;
};

// Tests that appending through a backslash path reaches the mapped file.
TEST_F(MOKFileTest, AppendsThroughBackslashPath) {
  WriteWholeFile(_Directory.File("a.txt"), "abc");
  const MOKUnicodeString path = HostPath("a.txt");
  unsigned int descriptor = 0;
  ASSERT_GE(MOKFOpen(&path, "a", &descriptor), 0);
  int written = 0;
  EXPECT_EQ(MOKFWrite(descriptor, "\n", 1, &written), 0);
  EXPECT_EQ(written, 1);
  EXPECT_EQ(MOKFClose(descriptor), 0);
  EXPECT_EQ(ReadWholeFile(_Directory.File("a.txt")), "abc\n");
}

// Tests that opening in a missing directory fails and creates nothing.
TEST_F(MOKFileTest, OpenInMissingDirectoryFails) {
  const MOKUnicodeString path = HostPath("missing\\a.txt");
  unsigned int descriptor = 77;
  EXPECT_LT(MOKFOpen(&path, "a", &descriptor), 0);
  EXPECT_EQ(descriptor, 77u);
  EXPECT_FALSE(FileExists(_Directory.File("missing")));
}

// Tests that an unknown mode is refused.
TEST_F(MOKFileTest, UnknownModeIsRefused) {
  const MOKUnicodeString path = HostPath("a.txt");
  unsigned int descriptor = 0;
  EXPECT_LT(MOKFOpen(&path, "x", &descriptor), 0);
  EXPECT_FALSE(FileExists(_Directory.File("a.txt")));
}

// Tests that writing to a descriptor that is not open fails.
TEST_F(MOKFileTest, WriteToClosedDescriptorFails) {
  const MOKUnicodeString path = HostPath("a.txt");
  unsigned int descriptor = 0;
  ASSERT_GE(MOKFOpen(&path, "w", &descriptor), 0);
  ASSERT_EQ(MOKFClose(descriptor), 0);
  int written = 5;
  EXPECT_LT(MOKFWrite(descriptor, "x", 1, &written), 0);
  EXPECT_EQ(written, 0);
}

}  // namespace
