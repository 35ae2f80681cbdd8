#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LightXmlTestSupport.h"
#include "MOKLightXmlElement.h"
#include "MOKLightXmlOutputFile.h"
#include "TemporaryDirectory.h"

namespace {

class MOKLightXmlOutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.SetAttributeValue("a", "1");
    tree_.AddChild(MOKLightXmlElement("child"));
  }

  // Names of the entries of a directory.
  static std::vector<std::string> Entries(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
      names.push_back(entry.path().filename().string());
    return names;
  }

  static mode_t ModeOf(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
  }

  MOKLightXmlElement tree_{"root"};
  TemporaryDirectory directory_;
};

// Tests that a new file holds the document, with mode 0644, and nothing
// else is left in the directory.
TEST_F(MOKLightXmlOutputFileTest, WritesNewFile) {
  const std::string path = directory_.File("out.xml");
  ASSERT_NE(WriteFile(tree_, path), 0);
  MOKLightXmlElement reread;
  ASSERT_EQ(ParseFile(path, reread), 1);
  EXPECT_EQ(FirstDifference(tree_, reread), "");
  EXPECT_EQ(ModeOf(path), 0644u);
  EXPECT_EQ(Entries(directory_.Path()), std::vector<std::string>{"out.xml"});
}

// Tests that an existing file is replaced whole and keeps its mode.
TEST_F(MOKLightXmlOutputFileTest, ReplacesExistingFileKeepingMode) {
  const std::string path = directory_.File("out.xml");
  WriteWholeFile(path, std::string(100000, 'o'));
  ::chmod(path.c_str(), 0600);
  ASSERT_NE(WriteFile(tree_, path), 0);
  MOKLightXmlElement reread;
  ASSERT_EQ(ParseFile(path, reread), 1);
  EXPECT_EQ(FirstDifference(tree_, reread), "");
  EXPECT_EQ(ModeOf(path), 0600u);
}

// Tests that the document is in the file as soon as Commit returns.
TEST_F(MOKLightXmlOutputFileTest, CommitPutsBytesInPlace) {
  const std::string path = directory_.File("out.xml");
  MOKLightXmlOutputFile file(path.c_str());
  ASSERT_EQ(file.Write("abc", 3), 1);
  EXPECT_FALSE(FileExists(path));
  ASSERT_EQ(file.Commit(), 1);
  EXPECT_EQ(ReadWholeFile(path), "abc");
  EXPECT_EQ(file.Write("d", 1), 0);
}

// Tests that a file destroyed without commit leaves the old file and no
// temporary file.
TEST_F(MOKLightXmlOutputFileTest, UncommittedFileLeavesTargetUntouched) {
  const std::string path = directory_.File("out.xml");
  WriteWholeFile(path, "old");
  {
    MOKLightXmlOutputFile file(path.c_str());
    file.Write("new", 3);
  }
  EXPECT_EQ(ReadWholeFile(path), "old");
  EXPECT_EQ(Entries(directory_.Path()), std::vector<std::string>{"out.xml"});
}

// Tests that a target under a missing directory fails and creates nothing.
TEST_F(MOKLightXmlOutputFileTest, MissingDirectoryFails) {
  const std::string path = directory_.File("missing/out.xml");
  MOKLightXmlOutputFile file(path.c_str());
  EXPECT_EQ(file.IsValid(), 0);
  EXPECT_EQ(WriteFile(tree_, path), 0);
  EXPECT_TRUE(Entries(directory_.Path()).empty());
}

// Tests that a directory named like the target fails and stays as it was.
TEST_F(MOKLightXmlOutputFileTest, DirectoryAsTargetFails) {
  const std::string path = directory_.File("out.xml");
  ::mkdir(path.c_str(), 0755);
  EXPECT_EQ(WriteFile(tree_, path), 0);
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_TRUE(Entries(path).empty());
  EXPECT_EQ(Entries(directory_.Path()), std::vector<std::string>{"out.xml"});
}

// Tests that a device target is written directly, its failure reported and
// the device never replaced.
TEST_F(MOKLightXmlOutputFileTest, FullDeviceFailsAndStaysDevice) {
  EXPECT_EQ(WriteFile(tree_, "/dev/full"), 0);
  struct stat info;
  ASSERT_EQ(::stat("/dev/full", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

// Tests that a device that takes bytes is written without rename.
TEST_F(MOKLightXmlOutputFileTest, NullDeviceIsWrittenDirectly) {
  EXPECT_NE(WriteFile(tree_, "/dev/null"), 0);
  struct stat info;
  ASSERT_EQ(::stat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

// Tests that a write failure on a regular file leaves the old file whole
// and no temporary file behind.
TEST_F(MOKLightXmlOutputFileTest, FailedWriteLeavesOldFileUntouched) {
  const std::string path = directory_.File("out.xml");
  WriteWholeFile(path, "old content");
  for (int i = 0; i < 2000; ++i) tree_.AddChild(MOKLightXmlElement("child"));
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = WriteFile(tree_, path);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadWholeFile(path), "old content");
  EXPECT_EQ(Entries(directory_.Path()), std::vector<std::string>{"out.xml"});
}

// Tests that a symbolic link is followed: the file it points to is
// replaced and the link stays a link.
TEST_F(MOKLightXmlOutputFileTest, SymbolicLinkWritesThrough) {
  ::mkdir(directory_.File("real").c_str(), 0755);
  const std::string real = directory_.File("real/out.xml");
  const std::string link = directory_.File("link.xml");
  WriteWholeFile(real, "old");
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
  ASSERT_NE(WriteFile(tree_, link), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(real).compare(0, 5, "<?xml"), 0);
  EXPECT_EQ(Entries(directory_.File("real")),
            std::vector<std::string>{"out.xml"});
}

// Tests that a dangling symbolic link is refused.
TEST_F(MOKLightXmlOutputFileTest, DanglingSymbolicLinkIsRefused) {
  const std::string link = directory_.File("link.xml");
  ASSERT_EQ(::symlink(directory_.File("nowhere.xml").c_str(), link.c_str()),
            0);
  EXPECT_EQ(WriteFile(tree_, link), 0);
  EXPECT_FALSE(FileExists(directory_.File("nowhere.xml")));
}

// Tests that backslashes in the path are read as directory separators.
TEST_F(MOKLightXmlOutputFileTest, BackslashesSeparateDirectories) {
  ::mkdir(directory_.File("sub").c_str(), 0755);
  ASSERT_NE(WriteFile(tree_, directory_.Path() + "\\sub\\out.xml"), 0);
  EXPECT_TRUE(FileExists(directory_.File("sub/out.xml")));
}

// Tests that a path with a NUL inside is refused rather than cut short.
TEST_F(MOKLightXmlOutputFileTest, PathWithNulIsRefused) {
  const std::string path = directory_.File("out.xml") + std::string(1, '\0');
  MOKLightXmlOutputFile file(MOKUnicodeString(path + "x"));
  EXPECT_EQ(file.IsValid(), 0);
  EXPECT_TRUE(Entries(directory_.Path()).empty());
}

}  // namespace
