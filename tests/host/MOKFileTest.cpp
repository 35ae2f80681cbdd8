#include <gtest/gtest.h>

#include <string>

#include "MOKFile.h"
#include "MOKUnicodeString.h"
#include "TemporaryDirectory.h"

namespace {

// Tests that appending through a backslash path reaches the mapped file.
TEST(MOKFileTest, AppendsThroughBackslashPath) {
  TemporaryDirectory directory;
  WriteWholeFile(directory.File("a.txt"), "abc");
  const MOKUnicodeString path(directory.Path() + "\\a.txt");
  unsigned int descriptor = 0;
  ASSERT_GE(MOKFOpen(&path, "a", &descriptor), 0);
  int written = 0;
  EXPECT_EQ(MOKFWrite(descriptor, "\n", 1, &written), 0);
  EXPECT_EQ(written, 1);
  EXPECT_EQ(MOKFClose(descriptor), 0);
  EXPECT_EQ(ReadWholeFile(directory.File("a.txt")), "abc\n");
}

// Tests that opening in a missing directory fails, leaves the descriptor
// and creates nothing.
TEST(MOKFileTest, OpenInMissingDirectoryFails) {
  TemporaryDirectory directory;
  const MOKUnicodeString path(directory.Path() + "\\missing\\a.txt");
  unsigned int descriptor = 77;
  EXPECT_LT(MOKFOpen(&path, "a", &descriptor), 0);
  EXPECT_EQ(descriptor, 77u);
  EXPECT_FALSE(FileExists(directory.File("missing")));
}

}  // namespace
