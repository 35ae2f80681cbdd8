#include <gtest/gtest.h>
#include <sys/stat.h>

#include "MOKLightXmlInputFile.h"
#include "MemoryStreams.h"
#include "TemporaryDirectory.h"

namespace {

class MOKLightXmlParserTest : public ::testing::Test {
 protected:
  // A root used before: a failure must leave it empty, a success hold only
  // the new document.
  static MOKLightXmlElement UsedRoot() {
    MOKLightXmlElement root("old");
    root.SetAttributeValue("old", "1");
    root.AddChild(MOKLightXmlElement("oldChild"));
    return root;
  }

  // What was read into the root, which is empty exactly when nothing was.
  static std::string Read(bool read, const MOKLightXmlElement& root) {
    EXPECT_EQ(read, root.GetName().GetLengthInByte() > 0);
    return Describe(root);
  }

  TemporaryDirectory directory_;
};

// Tests what documents read into: layout whitespace dropped, text runs joined,
// references and encodings turned into UTF-8; failures, names the writer would
// rename included, leave the root empty.
TEST_F(MOKLightXmlParserTest, ReadsDocuments) {
  const struct {
    const char *text, *tree;
  } kCases[] = {
      {"<r z='1' a=\"2\"><c1>t</c1><c2/></r>", "r(z=1, a=2) [c1 \"t\" | c2]"},
      {"<?xml version='1.0'?><!DOCTYPE r><?p x?><!--c-->"
       "<r>a<!--c-->b<?q?>c<e/></r><!--after-->",
       "r \"abc\" [e]"},
      {"<r>\n  <c> </c>\n  <d/>\n</r>", "r [c \" \" | d]"},
      {"<r> \t\n </r>", "r \" \t\n \""},
      {"<r><![CDATA[]]>  <c/>\n</r>", "r \"  \" [c]"},
      {"<r> x <c/> y </r>", "r \" x  y \" [c]"},
      {"<?xml version='1.0' encoding='ISO-8859-1'?>"
       "<r a='&#9;&lt;'>\xE9&amp;&#x20AC;</r>",
       "r(a=\t<) \"\xC3\xA9&\xE2\x82\xAC\""},
      {"<r><c></r>", ""},
      {"<r>", ""},
      {"<r/><s/>", ""},
      {"text", ""},
      {"<?xml version='1.0' encoding='ISO-8859-1'?><r \xAA='1'/>", ""},
      {"<?xml version='1.0' encoding='ISO-8859-1'?><r><\xAA/></r>", ""},
      {"<?xml version='1.0' encoding='ISO-8859-1'?><\xE9 \xE9='1'/>",
       "\xC3\xA9(\xC3\xA9=1)"},
      {"<r>\x01</r>", ""},
      {"<r>&x;</r>", ""},
      {"  \n", ""}};
  for (const auto& c : kCases) {
    MOKLightXmlElement root = UsedRoot();
    EXPECT_EQ(Read(ParseText(c.text, root, 7), root), c.tree) << c.text;
  }
}

// Tests reading files (a byte-order mark, a backslashed path, one larger
// than a read chunk) and why one is not read: the system's words for what
// stands at the path, the reader's with line and column for what is not
// well-formed.
TEST_F(MOKLightXmlParserTest, ReadsFilesOrSaysWhyNot) {
  ::mkdir(directory_.File("sub").c_str(), 0755);
  ::mkfifo(directory_.File("pipe").c_str(), 0644);
  const std::string big(300000, 'x');
  const struct {
    const char *written, *read;
    std::string content, tree, reason;
  } kCases[] = {{nullptr, "none.xml", "", "", "No such file or directory"},
                {nullptr, "sub", "", "", "Is a directory"},
                {nullptr, "pipe", "", "", "Not a regular file"},
                {"empty.xml", "empty.xml", "", "",
                 "no element found at line 1, column 1"},
                {"bad.xml", "bad.xml", "<r>\n  <c a='1' a='2'/>\n</r>", "",
                 "duplicate attribute at line 2, column 12"},
                {"cut.xml", "cut.xml", "<r><c>", "",
                 "no element found at line 1, column 7"},
                {"bom.xml", "bom.xml", "\xEF\xBB\xBF<r>x</r>", "r \"x\"", ""},
                {"sub/f.xml", "sub\\f.xml", "<r/>", "r", ""},
                {"big.xml", "big.xml", "<r>" + big + "<c/></r>",
                 "r \"" + big + "\" [c]", ""}};
  for (const auto& c : kCases) {
    if (c.written) WriteWholeFile(directory_.File(c.written), c.content);
    MOKLightXmlInputFile input(directory_.File(c.read).c_str());
    MOKLightXmlParser parser;
    MOKLightXmlElement root = UsedRoot();
    EXPECT_EQ(Read(parser.Parse(input, root) == 1, root), c.tree) << c.read;
    EXPECT_EQ(input.GetFailureReason().empty() ? parser.GetLastError()
                                               : input.GetFailureReason(),
              c.reason)
        << c.read;
  }
}

}  // namespace
