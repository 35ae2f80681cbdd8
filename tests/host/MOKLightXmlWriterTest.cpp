#include <gtest/gtest.h>

#include <string>

#include "LightXmlTestSupport.h"

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Tests the layout (two spaces per level, mixed elements compact behind an empty CDATA section),
// the escapes of texts and attribute values, and that each document reads back the same.
TEST(MOKLightXmlWriterTest, LaysOutAndEscapes) {
  const struct { const char *read, *written; } kCases[] = {
      {"<r b='1' a='2'><c><g/><l>t</l></c><e/></r>",
       "<r b=\"1\" a=\"2\">\n  <c>\n    <g/>\n    <l>t</l>\n  </c>\n  <e/>\n</r>"},
      {"<r><m><![CDATA[ ]]><i><j/></i></m></r>", "<r>\n  <m><![CDATA[]]> <i><j/></i></m>\n</r>"},
      {"<r><![CDATA[ \n\t]]>&#13;<c><![CDATA[\n]]><g/></c></r>",
       "<r><![CDATA[]]> \n\t&#13;<c><![CDATA[]]>\n<g/></c></r>"},
      {"<r>a&amp;b&lt;c&gt;d&#13;e\tf\n]]&gt;</r>", "<r>a&amp;b&lt;c&gt;d&#13;e\tf\n]]&gt;</r>"},
      {"<r v='&amp;&lt;&gt;&quot;&apos;&#9;&#10;&#13;'/>",
       "<r v=\"&amp;&lt;&gt;&quot;'&#9;&#10;&#13;\"/>"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.read);
    MOKLightXmlElement root, reread;
    ASSERT_EQ(ParseText(c.read, root), 1);
    const std::string text = WriteText(root);
    EXPECT_EQ(text, kDeclaration + c.written);
    ASSERT_EQ(ParseText(text + "\n", reread), 1);
    EXPECT_EQ(Render(reread), Render(root));
  }
}

// Tests that offending name bytes become '_' (every time a shared name occurs), an empty name
// "_", and that attribute names made equal by this stay apart.
TEST(MOKLightXmlWriterTest, SanitizesNames) {
  MOKLightXmlElement root("1a b\xFF"), bad("a\xE2\x82\xAC");
  bad.SetAttributeValue("a_", "1");
  bad.SetAttributeValue("a\x01", "2");
  bad.SetAttributeValue("", "3");
  bad.SetAttributeValue("_", "4");
  root.AddChild(bad);
  root.AddChild(bad);
  root.AddChild(MOKLightXmlElement(""));
  root.AddChild(MOKLightXmlElement("\xC3\xA9t\xC3\xA9"));
  const std::string child = "<a___ a_=\"1\" a__=\"2\" _=\"3\" __=\"4\"/>\n  ";
  EXPECT_EQ(WriteText(root), kDeclaration + "<_a_b_>\n  " + child + child +
                                 "<_/>\n  <\xC3\xA9t\xC3\xA9/>\n</_a_b_>");
}

// Tests that GetXml commits only after writing everything, and reports a failed write (also
// through the formatter) or commit.
TEST(MOKLightXmlWriterTest, GetXmlCommitsOnlyOnSuccess) {
  const MOKLightXmlElement root("r");
  StringOutput good, failing(1), committed, behindFormatter(1);
  committed.committed = true;
  MOKLightXmlOutputFormatter formatter(behindFormatter);
  EXPECT_NE(MOKLightXmlParser().GetXml(root, good), 0);
  EXPECT_TRUE(good.committed);
  EXPECT_EQ(good.text, kDeclaration + "<r/>");
  EXPECT_EQ(MOKLightXmlParser().GetXml(root, failing), 0);
  EXPECT_EQ(MOKLightXmlParser().GetXml(root, committed), 0);
  EXPECT_EQ(MOKLightXmlParser().GetXml(root, formatter), 0);
  EXPECT_EQ(formatter.IsValid(), 0);
  EXPECT_FALSE(failing.committed || behindFormatter.committed);
}

// Tests that small writes reach the target only at commit, large ones whole and in order, and
// nothing after the commit.
TEST(MOKLightXmlOutputFormatterTest, BuffersUntilCommit) {
  StringOutput target;
  MOKLightXmlOutputFormatter formatter(target);
  const std::string large(3 << 20, 'L');
  std::string expected;
  for (int i = 0; i < 1000; ++i, expected += "ab") EXPECT_EQ(formatter.Write("ab", 2), 1);
  EXPECT_EQ(target.writes, 0u);
  formatter.Write(large.data(), large.size());
  formatter.Write("tail", 4);
  ASSERT_EQ(formatter.Commit(), 1);
  EXPECT_TRUE(target.committed && target.text == expected + large + "tail");
  EXPECT_EQ(formatter.Write("x", 1), 0);
  EXPECT_EQ(formatter.Commit(), 0);
}

}  // namespace
