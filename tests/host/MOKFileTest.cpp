#include <gtest/gtest.h>

#include <string>

#include "MOKFile.h"
#include "MOKPath.h"
#include "MOKUnicodeString.h"
#include "TemporaryDirectory.h"

namespace {

// Tests that every backslash becomes '/' and nothing else changes.
TEST(MOKPathTest, MapsEveryBackslashToSlash) {
  EXPECT_EQ(MOKToNativePath("OUT\\T1_Scene_Out_3.xml"), "OUT/T1_Scene_Out_3.xml");
  EXPECT_EQ(MOKToNativePath("a\\\\b/c"), "a//b/c");
}

// Tests that appending through a backslash path reaches the mapped file, and that opening in a
// missing directory fails, leaves the descriptor and creates nothing.
TEST(MOKFileTest, AppendsThroughBackslashPathOnlyToExistingDirectories) {
  TemporaryDirectory directory;
  WriteWholeFile(directory.File("a.txt"), "abc");
  const MOKUnicodeString path(directory.Path() + "\\a.txt"), missing(directory.Path() + "\\no\\a.txt");
  unsigned int descriptor = 77;
  EXPECT_LT(MOKFOpen(&missing, "a", &descriptor), 0);
  EXPECT_EQ(descriptor, 77u);
  ASSERT_GE(MOKFOpen(&path, "a", &descriptor), 0);
  int written = 0;
  EXPECT_EQ(MOKFWrite(descriptor, "\n", 1, &written), 0);
  EXPECT_EQ(written, 1);
  EXPECT_EQ(MOKFClose(descriptor), 0);
  EXPECT_EQ(ReadWholeFile(directory.File("a.txt")), "abc\n");
  EXPECT_FALSE(FileExists(directory.File("no")));
}

}  // namespace
