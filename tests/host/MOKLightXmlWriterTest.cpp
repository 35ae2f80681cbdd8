#include <gtest/gtest.h>

#include <string>

#include "LightXmlTestSupport.h"
#include "MOKLightXmlElement.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const std::string kReplacement = "\xEF\xBF\xBD";

class MOKLightXmlWriterTest : public ::testing::Test {
 protected:
  // Writes root_ and checks that the document parses back.
  std::string Write() {
    std::string text = WriteText(root_);
    MOKLightXmlElement reread;
    EXPECT_EQ(ParseText(text + "\n", reread), 1) << text;
    return text;
  }

  MOKLightXmlElement root_{"r"};
  MOKLightXmlParser parser_;
};

// Tests the layout: declaration, two spaces per level, empty elements closed.
TEST_F(MOKLightXmlWriterTest, IndentsElementsWithoutText) {
  root_.SetAttributeValue("b", "1");
  root_.SetAttributeValue("a", "2");
  MOKLightXmlElement child("c");
  child.AddChild(MOKLightXmlElement("g"));
  MOKLightXmlElement leaf("l");
  leaf.SetValue("t");
  child.AddChild(leaf);
  root_.AddChild(child);
  root_.AddChild(MOKLightXmlElement("e"));
  EXPECT_EQ(Write(), kDeclaration +
                         "\n<r b=\"1\" a=\"2\">\n  <c>\n    <g/>\n    <l>t</l>"
                         "\n  </c>\n  <e/>\n</r>");
}

// Tests that an element with text and children is written compactly, text
// first behind an empty CDATA section.
TEST_F(MOKLightXmlWriterTest, WritesMixedElementCompactly) {
  MOKLightXmlElement mixed("m");
  mixed.SetValue(" ");
  MOKLightXmlElement inner("i");
  inner.AddChild(MOKLightXmlElement("j"));
  mixed.AddChild(inner);
  root_.AddChild(mixed);
  EXPECT_EQ(Write(),
            kDeclaration + "\n<r>\n  <m><![CDATA[]]> <i><j/></i></m>\n</r>");
}

// Tests the escapes of texts: & < > and carriage return; tab and newline
// stay literal.
TEST_F(MOKLightXmlWriterTest, EscapesText) {
  root_.SetValue("a&b<c>d\re\tf\n]]>");
  EXPECT_EQ(Write(),
            kDeclaration + "\n<r>a&amp;b&lt;c&gt;d&#13;e\tf\n]]&gt;</r>");
}

// Tests the escapes of attribute values, including tab, newline and CR.
TEST_F(MOKLightXmlWriterTest, EscapesAttributeValues) {
  root_.SetAttributeValue("v", "&<>\"'\t\n\r");
  EXPECT_EQ(Write(), kDeclaration +
                         "\n<r v=\"&amp;&lt;&gt;&quot;'&#9;&#10;&#13;\"/>");
}

// Tests that bytes XML cannot carry become U+FFFD, one per byte.
TEST_F(MOKLightXmlWriterTest, ReplacesUnwritableBytes) {
  root_.SetValue("a\x01\xFF\xC3(\xEF\xBF\xBE\x7F\xC3\xA9");
  root_.SetAttributeValue("v", MOKUnicodeString(std::string("\0b", 2)));
  const std::string r = kReplacement;
  EXPECT_EQ(Write(), kDeclaration + "\n<r v=\"" + r + "b\">a" + r + r + r +
                         "(" + r + r + r + "\x7F\xC3\xA9</r>");
}

// Tests that offending bytes of names become '_' and an empty name "_".
TEST_F(MOKLightXmlWriterTest, ReplacesOffendingNameBytes) {
  root_.SetName("1a b\xFF");
  root_.AddChild(MOKLightXmlElement(""));
  root_.AddChild(MOKLightXmlElement("\xC3\xA9t\xC3\xA9"));
  EXPECT_EQ(Write(), kDeclaration +
                         "\n<_a_b_>\n  <_/>\n  <\xC3\xA9t\xC3\xA9/>\n</_a_b_>");
}

// Tests that a character outside the reader's name characters is replaced
// byte by byte.
TEST_F(MOKLightXmlWriterTest, ReplacesCharacterReaderRefusesInName) {
  root_.SetName("a\xE2\x82\xAC");
  EXPECT_EQ(Write(), kDeclaration + "\n<a___/>");
}

// Tests that attribute names made equal by sanitizing are kept apart.
TEST_F(MOKLightXmlWriterTest, KeepsSanitizedAttributeNamesUnique) {
  root_.SetAttributeValue("a_", "1");
  root_.SetAttributeValue("a\x01", "2");
  root_.SetAttributeValue("", "3");
  root_.SetAttributeValue("_", "4");
  EXPECT_EQ(Write(),
            kDeclaration + "\n<r a_=\"1\" a__=\"2\" _=\"3\" __=\"4\"/>");
}

// Tests that indentation stops growing on very deep levels.
TEST_F(MOKLightXmlWriterTest, CapsIndentation) {
  MOKLightXmlElement* node = &root_;
  for (int i = 0; i < 100; ++i) {
    node = node->AppendNewChild();
    node->SetName("d");
  }
  const std::string text = Write();
  EXPECT_NE(text.find("\n" + std::string(64, ' ') + "<d/>"),
            std::string::npos);
  EXPECT_EQ(text.find(std::string(66, ' ')), std::string::npos);
}

// Tests that GetXml commits the stream.
TEST_F(MOKLightXmlWriterTest, GetXmlCommits) {
  StringOutput output;
  EXPECT_NE(parser_.GetXml(root_, output), 0);
  EXPECT_TRUE(output.committed);
}

// Tests that a failed write makes GetXml return 0 without committing.
TEST_F(MOKLightXmlWriterTest, FailedWriteIsReportedAndNotCommitted) {
  StringOutput output(1);
  EXPECT_EQ(parser_.GetXml(root_, output), 0);
  EXPECT_FALSE(output.committed);
}

// Tests that a failing commit makes GetXml return 0.
TEST_F(MOKLightXmlWriterTest, FailedCommitIsReported) {
  StringOutput output;
  output.committed = true;
  EXPECT_EQ(parser_.GetXml(root_, output), 0);
}

class MOKLightXmlOutputFormatterTest : public ::testing::Test {
 protected:
  StringOutput target_;
  MOKLightXmlOutputFormatter formatter_{target_};
};

// Tests that small writes reach the target only at commit, as one block.
TEST_F(MOKLightXmlOutputFormatterTest, BuffersUntilCommit) {
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(formatter_.Write("ab", 2), 1);
  EXPECT_EQ(target_.writes, 0u);
  EXPECT_EQ(formatter_.Commit(), 1);
  EXPECT_EQ(target_.writes, 1u);
  EXPECT_EQ(target_.text.size(), 2000u);
  EXPECT_TRUE(target_.committed);
}

// Tests that nothing can be written after the commit.
TEST_F(MOKLightXmlOutputFormatterTest, RefusesWritesAfterCommit) {
  ASSERT_EQ(formatter_.Commit(), 1);
  EXPECT_EQ(formatter_.Write("x", 1), 0);
  EXPECT_EQ(formatter_.Commit(), 0);
}

// Tests that a block larger than the buffer arrives whole and in order.
TEST_F(MOKLightXmlOutputFormatterTest, PassesLargeBlocksInOrder) {
  const std::string large(3 << 20, 'L');
  formatter_.Write("head", 4);
  formatter_.Write(large.data(), large.size());
  formatter_.Write("tail", 4);
  ASSERT_EQ(formatter_.Commit(), 1);
  EXPECT_EQ(target_.text, "head" + large + "tail");
}

// Tests that a failing target makes the formatter fail and refuse commit.
TEST_F(MOKLightXmlOutputFormatterTest, PropagatesTargetFailure) {
  StringOutput failing(1);
  MOKLightXmlOutputFormatter formatter(failing);
  formatter.Write("x", 1);
  EXPECT_EQ(formatter.Commit(), 0);
  EXPECT_EQ(formatter.IsValid(), 0);
  EXPECT_FALSE(failing.committed);
}

}  // namespace
