#include <gtest/gtest.h>

#include <dirent.h>

#include <string>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "TemporaryDirectory.h"
#include "VisuXMLFile.h"

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

// Tests that a name the reader accepts is written back unchanged.
// Disabled (found by fuzz_parser_roundtrip): Expat's UTF-16 and Latin-1
// tables accept U+00AA in a name, its UTF-8 table does not, and the writer
// (XmlNameSanitizer in host/LightXmlText.cpp) asks the UTF-8 reader, so
// the attribute name read from a UTF-16 document comes back renamed "__".
// Proposed fix: the tree builder (host/LightXmlTreeBuilder.cpp, Start)
// refuses the document (XML_StopParser) when XmlNameSanitizer::IsValid
// rejects an element or attribute name, so that every tree the reader
// makes is one the writer can write unchanged.
TEST_F(FuzzRegressionTest, DISABLED_Utf16NameReadIsWrittenUnchanged) {
  const std::string utf16("\xff\xfe<\0a\0 \0\xaa\0=\0\"\0x\0\"\0/\0>\0", 22);
  ExpectStableRoundTrip(utf16);
}

// Tests that a dumped value holding bytes XML cannot carry compares equal
// with the document written from it, as a replay of its own capture would.
// Disabled (found by fuzz_markup_stream): the writer replaces such bytes
// (here U+0001 and a lone 0xA9) by U+FFFD, while the stream's tree keeps
// them, so the replay of a dump holding them fails against its own
// reference every time. Proposed fix: apply the writer's replacement where
// the value enters the tree (VisuXMLAttribute::SetValue and the stream's
// SetText), so the compared tree is the text that is written.
TEST_F(FuzzRegressionTest, DISABLED_UnwritableBytesCompareEqualToTheirDocument) {
  MOKLightXmlElement tree(MOKUnicodeString("Scene"));
  tree.SetAttributeValue("Name", "a\x01" "b\xa9");
  tree.SetValue("t\x02");
  std::string written;
  ASSERT_TRUE(WriteText(tree, written));
  MOKLightXmlElement read;
  ASSERT_TRUE(ParseText(written, read)) << written;
  VisuXMLFile reference(read);
  VisuXMLFile output(tree);
  MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
  EXPECT_EQ(reference.Compare(&output, report), 1);
}

}  // namespace
