#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "MOKFile.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKUnicodeString.h"
#include "TemporaryDirectory.h"

namespace {

// Tests that appending through a backslash path reaches the mapped file, and
// that opening in a missing directory fails, leaves the descriptor and creates
// nothing.
TEST(MOKFileTest, AppendsThroughBackslashPathOnlyToExistingDirectories) {
  TemporaryDirectory directory;
  WriteWholeFile(directory.File("a.txt"), "abc");
  const MOKUnicodeString path(directory.Path() + "\\a.txt"),
      missing(directory.Path() + "\\no\\a.txt");
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

// Appends one newline to the file under the path; true when written.
bool AppendNewline(const MOKUnicodeString& path) {
  unsigned int descriptor = 0;
  if (MOKFOpen(&path, "a", &descriptor) < 0) return false;
  int written = 0;
  const bool appended = MOKFWrite(descriptor, "\n", 1, &written) == 0;
  return MOKFClose(descriptor) == 0 && appended;
}

// Tests that appending right after a commit extends the committed document even
// when another process's file has taken its name since, and that once the
// output file is gone the name is opened anew.
TEST(MOKFileTest, AppendAfterCommitExtendsTheCommittedDocument) {
  TemporaryDirectory directory;
  const std::string target = directory.File("doc.xml"),
                    theirs = directory.File("theirs");
  const MOKUnicodeString path(target);
  {
    MOKLightXmlOutputFile output(path);
    ASSERT_EQ(output.Write("mine", 4), 1);
    ASSERT_EQ(output.Commit(), 1);
    ASSERT_EQ(::link(target.c_str(), directory.File("mine").c_str()), 0);
    WriteWholeFile(theirs, "theirs");
    ASSERT_EQ(std::rename(theirs.c_str(), target.c_str()), 0);
    EXPECT_TRUE(AppendNewline(path));
    EXPECT_EQ(ReadWholeFile(directory.File("mine")), "mine\n");
    EXPECT_EQ(ReadWholeFile(target), "theirs");
  }
  EXPECT_TRUE(AppendNewline(path));
  EXPECT_EQ(ReadWholeFile(target), "theirs\n");
}

}  // namespace
