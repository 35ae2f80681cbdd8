#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "MOKLightXmlText.h"
#include "MemoryStreams.h"

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

#define R "\xEF\xBF\xBD"
// Hostile pieces of text and what the writer turns them into: first those
// it keeps (blanks first), then those it replaces.
const std::vector<std::pair<std::string, std::string>> kPieces = [] {
  std::vector<std::pair<std::string, std::string>> pieces;
  for (const char* kept :
       {" ", "\t", "\n", "\r", "\r\n", "a", "&", "<", ">", "\"", "'", "]]>",
        "&amp;", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9D\x84\x9E", "\xC2\x85",
        "\x7F"})
    pieces.emplace_back(kept, kept);
  pieces.insert(pieces.end(), {{std::string(1, '\0'), R},
                               {"\x01", R},
                               {"\x1F", R},
                               {"\x0B", R},
                               {"\xFF", R},
                               {"\x80", R},
                               {"\xC0\xAF", R R},
                               {"\xC3(", R "("},
                               {"\xEF\xBF\xBF", R R R},
                               {"\xED\xA0\x80", R R R}});
  return pieces;
}();
#undef R

// A random tree of hostile names, attributes and texts (some blank only), the
// same for the same seed; texts as given or as the writer turns them.
MOKLightXmlElement RandomTree(unsigned seed, bool written) {
  std::mt19937 random(seed);
  const auto text = [&](bool blanksOnly) {
    std::string text;
    for (int i = static_cast<int>(random() % 6); i > 0; --i) {
      const auto& piece = kPieces[random() % (blanksOnly ? 5 : kPieces.size())];
      text += written ? piece.second : piece.first;
    }
    return MOKUnicodeString(text);
  };
  const auto name = [&](int suffix) {
    static const std::string kNames[] = {"a", "Z_", "_:x", "\xC3\xA9-.",
                                         "b.0-"};
    return MOKUnicodeString(kNames[random() % 5] + std::to_string(suffix));
  };
  MOKLightXmlElement root;
  std::vector<MOKLightXmlElement*> nodes{&root};
  for (unsigned i = seed % 40; i > 0; --i)
    nodes.push_back(nodes[random() % nodes.size()]->AppendNewChild());
  for (MOKLightXmlElement* node : nodes) {
    node->SetName(name(0));
    for (int i = static_cast<int>(random() % 4); i > 0; --i) {
      const MOKUnicodeString attribute = name(i);
      node->SetAttributeValue(attribute, text(false));
    }
    node->SetValue(text(random() % 2 == 0));
  }
  return root;
}

// Tests the layout (two spaces per level, mixed elements compact behind an
// empty CDATA section), and the escapes of texts and attribute values.
TEST(MOKLightXmlWriterTest, LaysOutAndEscapes) {
  const struct {
    const char *read, *written;
  } kCases[] = {{"<r b='1' a='2'><c><g/><l>t</l></c><e/></r>",
                 "<r b=\"1\" a=\"2\">\n  <c>\n    <g/>\n    <l>t</l>\n"
                 "  </c>\n  <e/>\n</r>"},
                {"<r><m><![CDATA[ ]]><i><j/></i></m></r>",
                 "<r>\n  <m><![CDATA[]]> <i><j/></i></m>\n</r>"},
                {"<r><![CDATA[ \n\t]]>&#13;<c><![CDATA[\n]]><g/></c></r>",
                 "<r><![CDATA[]]> \n\t&#13;<c><![CDATA[]]>\n<g/></c></r>"},
                {"<r>a&amp;b&lt;c&gt;d&#13;e\tf\n]]&gt;</r>",
                 "<r>a&amp;b&lt;c&gt;d&#13;e\tf\n]]&gt;</r>"},
                {"<r v='&amp;&lt;&gt;&quot;&apos;&#9;&#10;&#13;'/>",
                 "<r v=\"&amp;&lt;&gt;&quot;'&#9;&#10;&#13;\"/>"}};
  for (const auto& c : kCases) {
    MOKLightXmlElement root;
    std::string written;
    ASSERT_TRUE(ParseText(c.read, root, 7) && WriteText(root, written));
    EXPECT_EQ(written, kDeclaration + c.written);
  }
}

// Tests that random hostile trees read back as written, with unwritable bytes
// replaced by U+FFFD exactly as MOKLightXmlMakeWritable replaces them, also
// with a newline after the document.
TEST(MOKLightXmlWriterTest, RandomTreesReadBackAsWritten) {
  for (const auto& piece : kPieces) {
    MOKUnicodeString text(piece.first.data(), piece.first.size());
    EXPECT_EQ(MOKLightXmlMakeWritable(text),
              piece.first == piece.second ? 0 : 1)
        << piece.first;
    EXPECT_EQ(text.GetText(), piece.second);
  }
  for (unsigned seed = 1; seed <= 200; ++seed) {
    MOKLightXmlElement reread;
    std::string text;
    ASSERT_TRUE(WriteText(RandomTree(seed, false), text));
    ASSERT_TRUE(ParseText(text + "\n", reread, 7)) << text;
    ASSERT_EQ(Describe(reread), Describe(RandomTree(seed, true))) << text;
  }
}

// Tests that offending name bytes become '_' (every time a shared name
// occurs), an empty name "_", and that attribute names made equal by this
// stay apart.
TEST(MOKLightXmlWriterTest, SanitizesNames) {
  MOKLightXmlElement root("1a b\xFF"), bad("a\xE2\x82\xAC");
  int value = 0;
  for (const char* name : {"a_", "a\x01", "", "_"})
    bad.SetAttributeValue(name, std::to_string(++value).c_str());
  root.AddChild(bad);
  root.AddChild(bad);
  root.AddChild(MOKLightXmlElement(""));
  root.AddChild(MOKLightXmlElement("\xC3\xA9t\xC3\xA9"));
  const std::string child = "<a___ a_=\"1\" a__=\"2\" _=\"3\" __=\"4\"/>\n  ";
  std::string written;
  ASSERT_TRUE(WriteText(root, written));
  EXPECT_EQ(written, kDeclaration + "<_a_b_>\n  " + child + child +
                         "<_/>\n  <\xC3\xA9t\xC3\xA9/>\n</_a_b_>");
}

// Tests that GetXml commits only after writing everything and reports a failed
// write (also through the formatter) or commit, and that the formatter passes
// small and large writes on whole and in order at commit, nothing after it.
TEST(MOKLightXmlWriterTest, CommitsOnlyOnSuccess) {
  const MOKLightXmlElement root("r");
  MemoryOutputStream good, failing(1), committed, behindFormatter(1), target;
  committed.committed = true;
  MOKLightXmlOutputFormatter failingFormatter(behindFormatter),
      formatter(target);
  EXPECT_NE(MOKLightXmlParser().GetXml(root, good), 0);
  EXPECT_TRUE(good.committed && good.text == kDeclaration + "<r/>");
  MOKLightXmlOutputStream* refusing[] = {&failing, &committed,
                                         &failingFormatter};
  for (MOKLightXmlOutputStream* output : refusing)
    EXPECT_EQ(MOKLightXmlParser().GetXml(root, *output), 0);
  EXPECT_FALSE(failing.committed || behindFormatter.committed ||
               failingFormatter.IsValid());
  const std::string large(3 << 20, 'L');
  EXPECT_EQ(
      formatter.Write("ab", 2) + formatter.Write(large.data(), large.size()),
      2);
  ASSERT_EQ(formatter.Commit(), 1);
  EXPECT_TRUE(target.committed && target.text == "ab" + large);
  EXPECT_EQ(formatter.Write("x", 1) + formatter.Commit(), 0);
}

}  // namespace
