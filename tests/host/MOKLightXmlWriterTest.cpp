#include <gtest/gtest.h>

#include <string>

#include "LightXmlTestSupport.h"
#include "MOKLightXmlElement.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

class MOKLightXmlWriterTest : public ::testing::Test {
 protected:
  // Writes root_ without the declaration, checking that the document reads
  // back as the same tree.
  std::string Write() {
    std::string text = WriteText(root_);
    MOKLightXmlElement reread;
    EXPECT_EQ(ParseText(text + "\n", reread), 1) << text;
    EXPECT_EQ(Render(reread), Render(root_));
    EXPECT_EQ(text.compare(0, kDeclaration.size(), kDeclaration), 0);
    return text.erase(0, kDeclaration.size());
  }

  MOKLightXmlElement root_;
};

// Tests the layout (two spaces per level, mixed elements compact behind an
// empty CDATA section) and the escapes of texts and attribute values.
TEST_F(MOKLightXmlWriterTest, LaysOutAndEscapes) {
  const struct { const char *read, *written; } kCases[] = {
      {"<r b='1' a='2'><c><g/><l>t</l></c><e/></r>",
       "<r b=\"1\" a=\"2\">\n  <c>\n    <g/>\n    <l>t</l>\n  </c>\n  <e/>\n</r>"},
      {"<r><m><![CDATA[ ]]><i><j/></i></m></r>",
       "<r>\n  <m><![CDATA[]]> <i><j/></i></m>\n</r>"},
      {"<r><![CDATA[ \n\t]]>&#13;<c><![CDATA[\n]]><g/></c></r>",
       "<r><![CDATA[]]> \n\t&#13;<c><![CDATA[]]>\n<g/></c></r>"},
      {"<r>a&amp;b&lt;c&gt;d&#13;e\tf\n]]&gt;</r>",
       "<r>a&amp;b&lt;c&gt;d&#13;e\tf\n]]&gt;</r>"},
      {"<r v='&amp;&lt;&gt;&quot;&apos;&#9;&#10;&#13;'/>",
       "<r v=\"&amp;&lt;&gt;&quot;'&#9;&#10;&#13;\"/>"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.read);
    ASSERT_EQ(ParseText(c.read, root_), 1);
    EXPECT_EQ(Write(), c.written);
  }
}

// Tests that offending name bytes become '_' (every time a shared name
// occurs), an empty name "_", and that sanitized attribute names stay apart.
TEST_F(MOKLightXmlWriterTest, SanitizesNames) {
  root_.SetName("1a b\xFF");
  MOKLightXmlElement bad("a\xE2\x82\xAC");
  bad.SetAttributeValue("a_", "1");
  bad.SetAttributeValue("a\x01", "2");
  bad.SetAttributeValue("", "3");
  bad.SetAttributeValue("_", "4");
  root_.AddChild(bad);
  root_.AddChild(bad);
  root_.AddChild(MOKLightXmlElement(""));
  root_.AddChild(MOKLightXmlElement("\xC3\xA9t\xC3\xA9"));
  const std::string text = WriteText(root_);
  const std::string child = "<a___ a_=\"1\" a__=\"2\" _=\"3\" __=\"4\"/>\n  ";
  EXPECT_EQ(text, kDeclaration + "<_a_b_>\n  " + child + child +
                      "<_/>\n  <\xC3\xA9t\xC3\xA9/>\n</_a_b_>");
}

// Tests that indentation stops growing on very deep levels.
TEST_F(MOKLightXmlWriterTest, CapsIndentation) {
  root_.SetName("r");
  MOKLightXmlElement* node = &root_;
  for (int i = 0; i < 100; ++i) (node = node->AppendNewChild())->SetName("d");
  const std::string text = Write();
  EXPECT_NE(text.find("\n" + std::string(64, ' ') + "<d/>"), std::string::npos);
  EXPECT_EQ(text.find(std::string(66, ' ')), std::string::npos);
}

// Tests that GetXml commits, and that a failed write or commit is reported
// without committing.
TEST_F(MOKLightXmlWriterTest, GetXmlCommitsOnlyOnSuccess) {
  root_.SetName("r");
  StringOutput good, failing(1), committed;
  committed.committed = true;
  EXPECT_NE(MOKLightXmlParser().GetXml(root_, good), 0);
  EXPECT_TRUE(good.committed);
  EXPECT_EQ(MOKLightXmlParser().GetXml(root_, failing), 0);
  EXPECT_FALSE(failing.committed);
  EXPECT_EQ(MOKLightXmlParser().GetXml(root_, committed), 0);
}

// Tests that small writes reach the target only at commit as one block,
// large ones whole and in order, and nothing after the commit.
TEST(MOKLightXmlOutputFormatterTest, BuffersUntilCommit) {
  StringOutput target;
  MOKLightXmlOutputFormatter formatter(target);
  const std::string large(3 << 20, 'L');
  std::string expected;
  for (int i = 0; i < 1000; ++i, expected += "ab")
    EXPECT_EQ(formatter.Write("ab", 2), 1);
  EXPECT_EQ(target.writes, 0u);
  formatter.Write(large.data(), large.size());
  formatter.Write("tail", 4);
  ASSERT_EQ(formatter.Commit(), 1);
  EXPECT_TRUE(target.text == expected + large + "tail");
  EXPECT_TRUE(target.committed);
  EXPECT_EQ(formatter.Write("x", 1), 0);
  EXPECT_EQ(formatter.Commit(), 0);
}

// Tests that a failing target makes the formatter fail and refuse commit.
TEST(MOKLightXmlOutputFormatterTest, PropagatesTargetFailure) {
  StringOutput failing(1);
  MOKLightXmlOutputFormatter formatter(failing);
  formatter.Write("x", 1);
  EXPECT_EQ(formatter.Commit(), 0);
  EXPECT_EQ(formatter.IsValid(), 0);
  EXPECT_FALSE(failing.committed);
}

}  // namespace
