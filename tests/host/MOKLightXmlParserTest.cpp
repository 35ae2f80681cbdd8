#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "LightXmlTestSupport.h"
#include "MOKLightXmlElement.h"
#include "TemporaryDirectory.h"

namespace {

class MOKLightXmlParserTest : public ::testing::Test {
 protected:
  // Parses the text; the element is left in root_.
  int Parse(const std::string& text) { return ParseText(text, root_); }

  void ExpectFailureLeavesRootEmpty(int result) {
    EXPECT_NE(result, 1);
    EXPECT_EQ(root_.GetName().GetLengthInByte(), 0);
    EXPECT_EQ(root_.GetChildCount(), 0u);
  }

  TemporaryDirectory directory_;
  MOKLightXmlElement root_;
};

// Tests that names, attributes in document order, text and children are read.
TEST_F(MOKLightXmlParserTest, ReadsNamesAttributesTextAndChildren) {
  ASSERT_EQ(Parse("<r z='1' a=\"2\"><c1>t</c1><c2/></r>"), 1);
  EXPECT_STREQ(root_.GetName(), "r");
  EXPECT_STREQ(root_.GetAttributeNameAt(0), "z");
  EXPECT_STREQ(root_.GetAttributeNameAt(1), "a");
  ASSERT_EQ(root_.GetChildCount(), 2u);
  EXPECT_STREQ(root_.GetChildAt(0)->GetValue(), "t");
  EXPECT_STREQ(root_.GetChildAt(1)->GetName(), "c2");
}

// Tests that comments, processing instructions and the doctype are skipped.
TEST_F(MOKLightXmlParserTest, SkipsCommentsInstructionsAndDoctype) {
  ASSERT_EQ(Parse("<?xml version='1.0'?><!DOCTYPE r><?p x?><!--c-->"
                  "<r>a<!--c-->b<?q?>c<e/></r><!--after-->"),
            1);
  EXPECT_STREQ(root_.GetValue(), "abc");
  EXPECT_EQ(root_.GetChildCount(), 1u);
}

// Tests that whitespace between child elements is dropped as layout.
TEST_F(MOKLightXmlParserTest, DropsLayoutWhitespaceAroundChildren) {
  ASSERT_EQ(Parse("<r>\n  <c> </c>\n  <d/>\n</r>"), 1);
  EXPECT_STREQ(root_.GetValue(), "");
  EXPECT_STREQ(root_.GetChildAt(0)->GetValue(), " ");
}

// Tests that whitespace-only text of an element without children is kept.
TEST_F(MOKLightXmlParserTest, KeepsWhitespaceTextWithoutChildren) {
  ASSERT_EQ(Parse("<r> \t\n </r>"), 1);
  EXPECT_STREQ(root_.GetValue(), " \t\n ");
}

// Tests that a CDATA section marks whitespace next to children as content.
TEST_F(MOKLightXmlParserTest, KeepsWhitespaceRunWithCdataSection) {
  ASSERT_EQ(Parse("<r><![CDATA[]]>  <c/>\n</r>"), 1);
  EXPECT_STREQ(root_.GetValue(), "  ");
}

// Tests that runs of mixed content are joined into the element's text.
TEST_F(MOKLightXmlParserTest, JoinsTextRunsAroundChildren) {
  ASSERT_EQ(Parse("<r> x <c/> y </r>"), 1);
  EXPECT_STREQ(root_.GetValue(), " x  y ");
}

// Tests that references and an encoding other than UTF-8 come out as UTF-8.
TEST_F(MOKLightXmlParserTest, ConvertsReferencesAndEncodingToUtf8) {
  ASSERT_EQ(Parse("<?xml version='1.0' encoding='ISO-8859-1'?>"
                  "<r a='&#9;&lt;'>\xE9&amp;&#x20AC;</r>"),
            1);
  EXPECT_STREQ(root_.GetValue(), "\xC3\xA9&\xE2\x82\xAC");
  EXPECT_STREQ(root_.GetAttributeValue("a"), "\t<");
}

// Tests that a document that is not well-formed fails and leaves root empty.
TEST_F(MOKLightXmlParserTest, MalformedDocumentFails) {
  for (const char* text : {"<r><c></r>", "<r>", "<r a='1' a='2'/>",
                           "<r/><s/>", "text", "<r>\x01</r>", "<r>&x;</r>"})
    ExpectFailureLeavesRootEmpty(Parse(text));
}

// Tests that an empty or whitespace-only document fails.
TEST_F(MOKLightXmlParserTest, EmptyDocumentFails) {
  ExpectFailureLeavesRootEmpty(Parse(""));
  ExpectFailureLeavesRootEmpty(Parse("  \n"));
}

// Tests that a missing file fails.
TEST_F(MOKLightXmlParserTest, MissingFileFails) {
  ExpectFailureLeavesRootEmpty(ParseFile(directory_.File("none.xml"), root_));
}

// Tests that an empty file fails.
TEST_F(MOKLightXmlParserTest, EmptyFileFails) {
  WriteWholeFile(directory_.File("empty.xml"), "");
  ExpectFailureLeavesRootEmpty(ParseFile(directory_.File("empty.xml"), root_));
}

// Tests that a directory given as file fails.
TEST_F(MOKLightXmlParserTest, DirectoryAsFileFails) {
  ExpectFailureLeavesRootEmpty(ParseFile(directory_.Path(), root_));
}

// Tests that a file starting with a byte-order mark is read.
TEST_F(MOKLightXmlParserTest, ReadsFileWithByteOrderMark) {
  WriteWholeFile(directory_.File("bom.xml"), "\xEF\xBB\xBF<r>x</r>");
  ASSERT_EQ(ParseFile(directory_.File("bom.xml"), root_), 1);
  EXPECT_STREQ(root_.GetValue(), "x");
}

// Tests that backslashes in the path are read as directory separators.
TEST_F(MOKLightXmlParserTest, ReadsPathWithBackslashes) {
  ::mkdir(directory_.File("sub").c_str(), 0755);
  WriteWholeFile(directory_.File("sub/f.xml"), "<r/>");
  EXPECT_EQ(ParseFile(directory_.Path() + "\\sub\\f.xml", root_), 1);
}

// Tests that a document larger than one read chunk is read whole.
TEST_F(MOKLightXmlParserTest, ReadsDocumentLargerThanChunk) {
  const std::string text(300000, 'x');
  WriteWholeFile(directory_.File("big.xml"), "<r>" + text + "<c/></r>");
  ASSERT_EQ(ParseFile(directory_.File("big.xml"), root_), 1);
  EXPECT_EQ(root_.GetValue().GetText(), text);
}

// Tests that parsing into a used root replaces its content.
TEST_F(MOKLightXmlParserTest, ParseReplacesPreviousContent) {
  root_.SetName("old");
  root_.SetAttributeValue("old", "1");
  root_.AddChild(MOKLightXmlElement("oldChild"));
  ASSERT_EQ(Parse("<new/>"), 1);
  EXPECT_STREQ(root_.GetName(), "new");
  EXPECT_EQ(root_.GetAttributeCount(), 0u);
  EXPECT_EQ(root_.GetChildCount(), 0u);
}

// Tests that a failed parse into a used root leaves it empty.
TEST_F(MOKLightXmlParserTest, FailedParseEmptiesUsedRoot) {
  root_.SetName("old");
  ExpectFailureLeavesRootEmpty(Parse("<broken"));
}

// Tests that exponential entity expansion is refused.
TEST_F(MOKLightXmlParserTest, RefusesEntityExpansionAttack) {
  std::string text = "<!DOCTYPE r [<!ENTITY e0 'xxxxxxxxxxxxxxxx'>";
  for (int level = 1; level < 12; ++level) {
    const std::string reference = "&e" + std::to_string(level - 1) + ";";
    std::string body;
    for (int k = 0; k < 10; ++k) body += reference;
    text += "<!ENTITY e" + std::to_string(level) + " '" + body + "'>";
  }
  text += "]><r>&e11;</r>";
  ExpectFailureLeavesRootEmpty(Parse(text));
}

// Tests that an external entity is never read into the document.
TEST_F(MOKLightXmlParserTest, NeverReadsExternalEntities) {
  WriteWholeFile(directory_.File("secret.txt"), "SECRET");
  const std::string text = "<!DOCTYPE r [<!ENTITY x SYSTEM 'file://" +
                           directory_.File("secret.txt") +
                           "'>]><r a='1'>&x;</r>";
  const int result = Parse(text);
  EXPECT_EQ(root_.GetValue().GetText().find("SECRET"), std::string::npos);
  if (result == 1) {
    EXPECT_STREQ(root_.GetAttributeValue("a"), "1");
  }
}

}  // namespace
