#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "Limits.h"
#include "MemoryStreams.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"
#include "VisuXMLMarkup.h"

namespace {

// Documents built to hurt: each is compared or refused in bounded time and
// memory; every test prints what it cost, for the limits in the README.
class HostileDocumentTest : public ::testing::Test {
 protected:
  HostileDocumentTest() : _Start(NowSeconds()) {}
  ~HostileDocumentTest() override {
    std::printf("[ measured ] %s: %.2f s, peak resident %ld MB\n",
                ::testing::UnitTest::GetInstance()->current_test_info()->name(),
                NowSeconds() - _Start, PeakResidentKilobytes() / 1024);
  }

  std::string Store(const std::string& name, const std::string& content) {
    WriteWholeFile(_Temporary.File(name), content);
    return _Temporary.File(name);
  }

  // Compares as the replay does: validity, error search, then the walk.
  // 1 same, 0 different, -1 a side refused.
  static int CompareFiles(const std::string& referencePath,
                          const std::string& outputPath) {
    VisuXMLFile reference(MOKUnicodeString(referencePath.c_str()));
    VisuXMLFile output(MOKUnicodeString(outputPath.c_str()));
    if (reference.IsFileValid() != 1 || output.IsFileValid() != 1) return -1;
    if (reference.SearchForMarkup("VisuXMLError") == 1 ||
        output.SearchForMarkup("VisuXMLError") == 1)
      return 0;
    MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
    return reference.Compare(&output, report);
  }

  TemporaryDirectory _Temporary;
  double _Start;
};

// Tests that a 1,000,000-deep reference is read, compared (equal, and
// different at the bottom) and written without exhausting the stack.
TEST_F(HostileDocumentTest, MillionDeepReferenceIsCompared) {
  std::string top, bottom;
  for (std::size_t i = 0; i < 1000000; ++i) top += "<a>", bottom += "</a>";
  const std::string reference = Store("ref.xml", top + bottom);
  EXPECT_EQ(CompareFiles(reference, Store("same.xml", top + bottom + "\n")), 1);
  EXPECT_EQ(CompareFiles(Store("b.xml", top + "<b/>" + bottom),
                         Store("c.xml", top + "<c/>" + bottom)),
            0);
  MOKLightXmlElement tree;
  ASSERT_TRUE(ParseText(top + bottom, tree));
  std::string written;
  EXPECT_TRUE(WriteText(tree, written));
}

// Tests that a 200 MB reference (10 MB under the sanitizers), written line
// by line so the test does not hold it, is compared with its own copy.
TEST_F(HostileDocumentTest, LargeReferenceIsCompared) {
  const std::size_t bytes = (std::size_t{200} << 20) / kSizeDivisor;
  const std::string path = _Temporary.File("ref.xml");
  {
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scene "
           "Name=\"large\">\n";
    for (std::size_t i = 0, written = 0; written < bytes; ++i) {
      const std::string n = std::to_string(i),
                        line = "  <Object Name=\"Object" + n + "\" Size=\"" +
                               std::to_string(i % 1000) +
                               ".25\" Visible=\"1\">part " + n + "</Object>\n";
      out << line;
      written += line.size();
    }
    out << "</Scene>\n";
  }
  ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute),
            0u);
  EXPECT_EQ(CompareFiles(path, path), 1);
  VisuXMLAttribute::DestroyAttributes();
}

// Tests that a 100 MB attribute value (5 MB under the sanitizers) compares
// equal and changed (reading linear in a token's length keeps it within the
// test's timeout).
TEST_F(HostileDocumentTest, HugeAttributeValueIsComparedInBoundedTime) {
  const std::string value((std::size_t{100} << 20) / kSizeDivisor, 'v');
  const std::string reference =
      Store("ref.xml", "<Scene Name=\"" + value + "\"/>");
  EXPECT_EQ(CompareFiles(reference, Store("same.xml",
                                          "<Scene Name=\"" + value + "\"/>\n")),
            1);
  EXPECT_EQ(CompareFiles(reference, Store("changed.xml",
                                          "<Scene Name=\"" + value + "w\"/>")),
            0);
}

// Tests that 100,000 attributes (5,000 under the sanitizers) compare equal
// to the same in reverse order.
TEST_F(HostileDocumentTest, ManyAttributesInAnotherOrderAreCompared) {
  std::string forward = "<Scene", backward = "<Scene";
  const std::size_t count = 100000 / kSizeDivisor;
  for (std::size_t i = 0; i < count; ++i) {
    forward += " a" + std::to_string(i) + "=\"1\"";
    backward += " a" + std::to_string(count - 1 - i) + "=\"1\"";
  }
  EXPECT_EQ(CompareFiles(Store("f.xml", forward + "/>"),
                         Store("b.xml", backward + "/>")),
            1);
}

// Tests that nested expansion (billion laughs) and one large entity
// repeated (quadratic blowup) are refused in bounded memory.
TEST_F(HostileDocumentTest, EntityExpansionIsRefused) {
  std::string laughs = "<!DOCTYPE l [<!ENTITY l0 \"lol\">\n";
  for (int level = 1; level <= 10; ++level) {
    laughs += "<!ENTITY l" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i)
      laughs += "&l" + std::to_string(level - 1) + ";";
    laughs += "\">\n";
  }
  std::string quadratic =
      "<!DOCTYPE q [<!ENTITY e \"" + std::string(65536, 'x') + "\">]><q>";
  for (int i = 0; i < 65536; ++i) quadratic += "&e;";
  for (const std::string& text :
       {laughs + "]><l a=\"&l9;\">&l10;</l>", quadratic + "</q>"}) {
    const std::string path = Store("entities.xml", text);
    EXPECT_EQ(CompareFiles(path, path), -1);
  }
  EXPECT_LT(PeakResidentKilobytes() / 1024, 1024);
}

// Tests that external entities, general and parameter, are never read.
TEST_F(HostileDocumentTest, ExternalEntityIsNeverRead) {
  const std::string secret = Store("secret.txt", "TOPSECRET-CONTENT");
  const std::string uri = "file://" + secret;
  for (const std::string& text :
       {"<!DOCTYPE r [<!ENTITY x SYSTEM \"" + uri + "\">]><r a=\"1\">&x;</r>",
        "<!DOCTYPE r [<!ENTITY x SYSTEM \"" + secret + "\">]><r>&x;</r>",
        "<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + uri + "\"> %p;]><r/>",
        "<!DOCTYPE r SYSTEM \"" + uri + "\"><r/>"}) {
    SCOPED_TRACE(text);
    MOKLightXmlElement tree;
    if (!ParseText(text, tree)) continue;
    std::string written;
    ASSERT_TRUE(WriteText(tree, written));
    EXPECT_EQ(written.find("TOPSECRET"), std::string::npos);
    VisuXMLFile file(MOKUnicodeString(Store("entity.xml", text).c_str()));
    EXPECT_EQ(file.SearchForMarkup("TOPSECRET-CONTENT"), 0);
  }
}

// UTF-16 text of a Latin-1 document, with its byte-order mark.
std::string Utf16(const std::string& latin1, bool bigEndian) {
  std::string out = bigEndian ? "\xfe\xff" : "\xff\xfe";
  for (char c : latin1)
    out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return out;
}

// Tests that a UTF-8 byte-order mark and UTF-16 of either byte order read
// as the same document as plain UTF-8.
TEST_F(HostileDocumentTest, OtherEncodingsEqualTheirUtf8Form) {
  const std::string plain = "<Scene Name=\"caf\xc3\xa9\"><Object/></Scene>";
  const std::string latin1 = "<Scene Name=\"caf\xe9\"><Object/></Scene>";
  const std::string reference = Store("plain.xml", plain);
  for (const std::string& text :
       {"\xef\xbb\xbf" + plain, Utf16(latin1, false), Utf16(latin1, true)})
    EXPECT_EQ(CompareFiles(reference, Store("other.xml", text)), 1) << text;
}

// Tests that a document cut at every position is refused, except once the
// root is complete, when it equals the whole document.
TEST_F(HostileDocumentTest, TruncatedAtEveryPositionIsRefused) {
  const std::string whole =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Scene Name=\"demo\" Size=\"1.50\">\n  <!-- camera first -->\n"
      "  <Camera Fov=\"45.00\"/>\n"
      "  <Object Name=\"a &amp; b\"><![CDATA[<x>]]>text</Object>\n</Scene>\n";
  const std::string complete = Store("whole.xml", whole);
  const std::size_t rootEnd = whole.rfind("</Scene>") + 8;
  for (std::size_t length = 0; length < whole.size(); ++length)
    EXPECT_EQ(CompareFiles(complete, Store("cut.xml", whole.substr(0, length))),
              length >= rootEnd ? 1 : -1)
        << "cut at " << length;
}

// Inputs the fuzz targets found, replayed here so that what was fixed stays
// fixed.
class FuzzRegressionTest : public ::testing::Test {};

// Tests that a dumped value holding bytes XML cannot carry (U+0001, a lone
// 0xA9, U+0002) compares equal with the document written from it, as a
// replay of its own capture would.
TEST_F(FuzzRegressionTest, UnwritableBytesCompareEqualToTheirDocument) {
  ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute("Name", VisuXMLTextAttribute),
            0u);
  ASSERT_EQ(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup), 0u);
  ASSERT_EQ(
      VisuXMLMarkup::AttachAttribute("Scene", "Name", VisuXMLRequiredAttribute),
      0u);
  ASSERT_EQ(VisuXMLMarkup::OpenMarkup("Scene"), 0u);
  ASSERT_EQ(VisuXMLMarkup::SetAttributeValue("Name",
                                             "a\x01"
                                             "b\xa9"),
            0u);
  ASSERT_EQ(VisuXMLMarkup::SetText("t\x02"), 0u);
  ASSERT_EQ(VisuXMLMarkup::CloseMarkup("Scene"), 0u);
  const std::unique_ptr<MOKLightXmlElement> tree(
      VisuXMLMarkup::GetXMLStreamNode());
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
