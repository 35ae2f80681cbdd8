#include <gtest/gtest.h>

#include <dirent.h>

#include <memory>
#include <string>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"
#include "VisuXMLMarkup.h"

namespace {

// Inputs the fuzz targets found or start from, replayed in the ordinary
// suite so that what was fixed stays fixed.
class FuzzRegressionTest : public ::testing::Test {
 protected:
  // Read, write, read again: the same tree, and writing it again gives the
  // same bytes.
  static void ExpectStableRoundTrip(const std::string& input) {
    MOKLightXmlElement first;
    if (!ParseText(input, first)) return;
    std::string written;
    ASSERT_TRUE(WriteText(first, written));
    MOKLightXmlElement second;
    ASSERT_TRUE(ParseText(written, second)) << written;
    EXPECT_TRUE(SameTree(first, second, false)) << written;
    std::string rewritten;
    ASSERT_TRUE(WriteText(second, rewritten));
    EXPECT_EQ(rewritten, written);
  }
};

std::vector<std::string> SeedFiles(const std::string& target) {
  const std::string folder =
      std::string(VISUXML_SOURCE_DIR) + "/fuzz/corpus/" + target;
  std::vector<std::string> paths;
  if (DIR* directory = ::opendir(folder.c_str())) {
    while (dirent* entry = ::readdir(directory))
      if (entry->d_name[0] != '.') paths.push_back(folder + "/" + entry->d_name);
    ::closedir(directory);
  }
  return paths;
}

// Tests that every committed seed of the parser target reads back stable.
TEST_F(FuzzRegressionTest, ParserSeedsRoundTrip) {
  const std::vector<std::string> seeds = SeedFiles("parser_roundtrip");
  ASSERT_FALSE(seeds.empty());
  for (const std::string& path : seeds) {
    SCOPED_TRACE(path);
    ExpectStableRoundTrip(ReadWholeFile(path));
  }
}

// Tests that a name the reader accepts is written back unchanged: a UTF-16
// document whose name only non-UTF-8 input allows (U+00AA) is refused.
TEST_F(FuzzRegressionTest, Utf16NameReadIsWrittenUnchanged) {
  const std::string utf16("\xff\xfe<\0a\0 \0\xaa\0=\0\"\0x\0\"\0/\0>\0", 22);
  ExpectStableRoundTrip(utf16);
}

// Tests that a dumped value holding bytes XML cannot carry (here U+0001, a
// lone 0xA9 and U+0002) compares equal with the document written from it,
// as a replay of its own capture would: the stream's tree already holds the
// writer's replacements.
TEST_F(FuzzRegressionTest, UnwritableBytesCompareEqualToTheirDocument) {
  ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute("Name", VisuXMLTextAttribute), 0u);
  ASSERT_EQ(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup), 0u);
  ASSERT_EQ(VisuXMLMarkup::AttachAttribute("Scene", "Name", VisuXMLRequiredAttribute), 0u);
  ASSERT_EQ(VisuXMLMarkup::OpenMarkup("Scene"), 0u);
  ASSERT_EQ(VisuXMLMarkup::SetAttributeValue("Name", "a\x01" "b\xa9"), 0u);
  ASSERT_EQ(VisuXMLMarkup::SetText("t\x02"), 0u);
  ASSERT_EQ(VisuXMLMarkup::CloseMarkup("Scene"), 0u);
  const std::unique_ptr<MOKLightXmlElement> tree(VisuXMLMarkup::GetXMLStreamNode());
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLAttribute::DestroyAttributes();
  ASSERT_NE(tree, nullptr);
  std::string written;
  ASSERT_TRUE(WriteText(*tree, written));
  MOKLightXmlElement read;
  ASSERT_TRUE(ParseText(written, read)) << written;
  VisuXMLFile reference(read);
  VisuXMLFile output(*tree);
  MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
  EXPECT_EQ(reference.Compare(&output, report), 1);
}

}  // namespace
