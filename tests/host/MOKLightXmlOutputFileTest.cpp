#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <set>
#include <sstream>
#include <string>

#include "MemoryStreams.h"
#include "TemporaryDirectory.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class MOKLightXmlOutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.SetAttributeValue("a", "1");
    tree_.AddChild(MOKLightXmlElement("child"));
  }

  // Every entry under the directory, sorted; links marked, files with octal
  // mode and content.
  std::string Listing() const {
    std::set<std::string> entries;
    for (const auto& entry :
         fs::recursive_directory_iterator(directory_.Path())) {
      const auto status = entry.symlink_status();
      std::ostringstream line;
      line << entry.path().string().substr(directory_.Path().size())
           << (fs::is_symlink(status) ? " link" : "");
      if (fs::is_regular_file(status))
        line << " " << std::oct << static_cast<unsigned>(status.permissions())
             << " " << ReadWholeFile(entry.path());
      entries.insert(line.str() + ";");
    }
    return std::accumulate(entries.begin(), entries.end(), std::string());
  }

  // What the tree is written as under the given root name.
  static std::string Document(const std::string& name) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + name +
           " a=\"1\">\n  <child/>\n</" + name + ">";
  }

  MOKLightXmlElement tree_{"root"};
  TemporaryDirectory directory_;
};

// Tests that a new file gets mode 0644 through a backslashed path, that a
// replaced one keeps its mode and old bytes until Commit returns, that a file
// dropped without commit leaves the old one, and that no temporary file is left
// behind.
TEST_F(MOKLightXmlOutputFileTest, WritesAndReplacesFiles) {
  const std::string path = directory_.File("out.xml");
  ASSERT_TRUE(WriteFile(tree_, directory_.Path() + "\\out.xml"));
  EXPECT_EQ(Listing(), "/out.xml 644 " + Document("root") + ";");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  {
    MOKLightXmlOutputFile file(path.c_str());
    ASSERT_EQ(file.Write("abc", 3), 1);
    EXPECT_EQ(ReadWholeFile(path), Document("root"));
    ASSERT_EQ(file.Commit(), 1);
    EXPECT_EQ(ReadWholeFile(path), "abc");
    EXPECT_EQ(file.Write("d", 1), 0);
  }
  MOKLightXmlOutputFile(path.c_str()).Write("new", 3);
  EXPECT_EQ(Listing(), "/out.xml 600 abc;");
}

// Tests that failing writes (missing directory, directory, dangling link,
// NUL in the path) leave everything as it was, with no temporary file.
TEST_F(MOKLightXmlOutputFileTest, FailuresLeaveEverythingAsItWas) {
  fs::create_directory(directory_.File("dir.xml"));
  fs::create_symlink(directory_.File("nowhere.xml"),
                     directory_.File("link.xml"));
  const std::string before = Listing();
  for (const std::string& name :
       {"missing/out.xml"s, "dir.xml"s, "link.xml"s, "out.xml\0x"s})
    EXPECT_FALSE(WriteFile(tree_, directory_.File(name))) << name;
  EXPECT_EQ(Listing(), before);
}

// Tests that devices are written directly, their failure reported, and never
// replaced; and that a link is written through and stays a link.
TEST_F(MOKLightXmlOutputFileTest, DevicesAndLinksAreWrittenThrough) {
  EXPECT_FALSE(WriteFile(tree_, "/dev/full"));
  EXPECT_TRUE(WriteFile(tree_, "/dev/null"));
  EXPECT_TRUE(fs::is_character_file("/dev/full") &&
              fs::is_character_file("/dev/null"));
  fs::create_directory(directory_.File("real"));
  WriteWholeFile(directory_.File("real/out.xml"), "old");
  fs::create_symlink(directory_.File("real/out.xml"),
                     directory_.File("link.xml"));
  ASSERT_TRUE(WriteFile(tree_, directory_.File("link.xml")));
  EXPECT_EQ(Listing(),
            "/link.xml link;/real/out.xml 644 " + Document("root") + ";/real;");
}

}  // namespace
