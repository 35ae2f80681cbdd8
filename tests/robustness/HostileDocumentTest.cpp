#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <string>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKLightXmlParser.h"
#include "MemoryStreams.h"
#include "RobustnessSupport.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

// Documents built to hurt: each is compared or refused, in bounded time and
// memory. Every test prints what it cost, for the limits in the README.
class HostileDocumentTest : public ::testing::Test {
 protected:
  HostileDocumentTest() : _Start(NowSeconds()) {}
  ~HostileDocumentTest() override {
    const double seconds = NowSeconds() - _Start;
    const double peak = PeakResidentKilobytes() / 1024.0;
    std::printf("[ measured ] %s: %.2f s, peak resident %.0f MB\n",
                ::testing::UnitTest::GetInstance()->current_test_info()->name(),
                seconds, peak);
  }

  std::string Store(const std::string& name, const std::string& content) {
    const std::string path = _Temporary.File(name);
    WriteWholeFile(path, content);
    return path;
  }

  // Compares the two files as the replay does: validity, error search,
  // then the walk. 1 same, 0 different, -1 a side refused.
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

// Writes a document of about the given size, element after element, so
// that the test itself does not hold it in memory.
std::string WriteWideDocument(const std::string& path, std::size_t bytes) {
  std::ofstream out(path, std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scene Name=\"large\">\n";
  std::size_t written = 0;
  char line[160];
  for (std::size_t i = 0; written < bytes; ++i) {
    const int length = std::snprintf(
        line, sizeof line,
        "  <Object Name=\"Object%zu\" Size=\"%zu.25\" Visible=\"1\">part %zu</Object>\n",
        i, i % 1000, i);
    out.write(line, length);
    written += static_cast<std::size_t>(length);
  }
  out << "</Scene>\n";
  return path;
}

// Tests that a 1,000,000-deep reference is read, searched, compared and
// written without exhausting the call stack.
TEST_F(HostileDocumentTest, MillionDeepReferenceIsCompared) {
  const std::size_t depth = 1000000;
  std::string text;
  text.reserve(depth * 7);
  for (std::size_t i = 0; i < depth; ++i) text += "<a>";
  for (std::size_t i = 0; i < depth; ++i) text += "</a>";
  const std::string reference = Store("deep-ref.xml", text);
  const std::string output = Store("deep-out.xml", text + "\n");
  EXPECT_EQ(CompareFiles(reference, output), 1);

  MOKLightXmlElement tree;
  ASSERT_TRUE(ParseText(text, tree));
  std::string written;
  EXPECT_TRUE(WriteText(tree, written));
  EXPECT_EQ(TreeSize(tree), depth);
}

// Tests that a 1,000,000-deep reference that differs at the bottom is found
// different.
TEST_F(HostileDocumentTest, MillionDeepDifferenceIsFound) {
  const std::size_t depth = 1000000;
  std::string top;
  for (std::size_t i = 0; i < depth; ++i) top += "<a>";
  std::string bottom;
  for (std::size_t i = 0; i < depth; ++i) bottom += "</a>";
  const std::string reference = Store("ref.xml", top + "<b/>" + bottom);
  const std::string output = Store("out.xml", top + "<c/>" + bottom);
  EXPECT_EQ(CompareFiles(reference, output), 0);
}

// Tests that a 200 MB reference (10 MB under the sanitizers) is compared
// with its own copy.
TEST_F(HostileDocumentTest, LargeReferenceIsCompared) {
  const std::size_t bytes = (std::size_t{200} << 20) / kSizeDivisor;
  const std::string reference = WriteWideDocument(_Temporary.File("ref.xml"), bytes);
  const std::string output = WriteWideDocument(_Temporary.File("out.xml"), bytes);
  ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute), 0u);
  EXPECT_EQ(CompareFiles(reference, output), 1);
  VisuXMLAttribute::DestroyAttributes();
}

// Tests that an attribute value of 100 MB (5 MB under the sanitizers) is
// compared, equal and changed, within a minute: reading stays linear in the
// length of one token (a reader that rescans an unfinished token at every
// chunk needs minutes here).
TEST_F(HostileDocumentTest, HugeAttributeValueIsComparedInBoundedTime) {
  const std::size_t bytes = (std::size_t{100} << 20) / kSizeDivisor;
  const std::string value(bytes, 'v');
  const std::string reference = Store("ref.xml", "<Scene Name=\"" + value + "\"/>");
  const std::string same = Store("same.xml", "<Scene Name=\"" + value + "\"/>\n");
  const std::string changed = Store("changed.xml", "<Scene Name=\"" + value + "w\"/>");
  const double start = NowSeconds();
  EXPECT_EQ(CompareFiles(reference, same), 1);
  EXPECT_EQ(CompareFiles(reference, changed), 0);
  EXPECT_LT(NowSeconds() - start, 60.0);
}

// Tests that an element with 100,000 attributes (5,000 under the
// sanitizers) compares with the same attributes in reverse order within
// half a minute; a linear pairing takes well under a second.
TEST_F(HostileDocumentTest, ManyAttributesInAnotherOrderAreCompared) {
  const std::size_t count = 100000 / kSizeDivisor;
  std::string forward = "<Scene";
  std::string backward = "<Scene";
  for (std::size_t i = 0; i < count; ++i)
    forward += " a" + std::to_string(i) + "=\"1\"";
  for (std::size_t i = count; i-- > 0;)
    backward += " a" + std::to_string(i) + "=\"1\"";
  const std::string reference = Store("forward.xml", forward + "/>");
  const std::string output = Store("backward.xml", backward + "/>");
  const double start = NowSeconds();
  EXPECT_EQ(CompareFiles(reference, output), 1);
  EXPECT_LT(NowSeconds() - start, 30.0);
}

// Tests that nested entity expansion (billion laughs) is refused.
TEST_F(HostileDocumentTest, BillionLaughsIsRefused) {
  std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n"
                     "<!ENTITY lol0 \"lol\">\n";
  for (int level = 1; level <= 10; ++level) {
    text += "<!ENTITY lol" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) text += "&lol" + std::to_string(level - 1) + ";";
    text += "\">\n";
  }
  text += "]>\n<lolz a=\"&lol9;\">&lol10;</lolz>\n";
  const std::string path = Store("laughs.xml", text);
  EXPECT_EQ(CompareFiles(path, path), -1);
  EXPECT_LT(PeakResidentKilobytes() / 1024.0, 1024.0);
}

// Tests that one large entity repeated many times (quadratic blowup) is
// refused.
TEST_F(HostileDocumentTest, QuadraticBlowupIsRefused) {
  const std::string entity(64 * 1024, 'x');
  std::string text = "<!DOCTYPE q [<!ENTITY e \"" + entity + "\">]>\n<q>";
  for (int i = 0; i < 64 * 1024; ++i) text += "&e;";
  text += "</q>\n";
  const std::string path = Store("quadratic.xml", text);
  EXPECT_EQ(CompareFiles(path, path), -1);
  EXPECT_LT(PeakResidentKilobytes() / 1024.0, 1024.0);
}

// Tests that external entities, general and parameter, are never read: the
// local file's content appears nowhere.
TEST_F(HostileDocumentTest, ExternalEntityIsNeverRead) {
  const std::string secret = Store("secret.txt", "TOPSECRET-CONTENT");
  const std::string uri = "file://" + secret;
  const std::string documents[] = {
      "<!DOCTYPE r [<!ENTITY x SYSTEM \"" + uri + "\">]><r a=\"1\">&x;</r>",
      "<!DOCTYPE r [<!ENTITY x SYSTEM \"" + secret + "\">]><r>&x;</r>",
      "<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + uri + "\"> %p;]><r/>",
      "<!DOCTYPE r SYSTEM \"" + uri + "\"><r/>",
  };
  for (const std::string& text : documents) {
    SCOPED_TRACE(text);
    MOKLightXmlElement tree;
    if (!ParseText(text, tree)) continue;
    std::string written;
    ASSERT_TRUE(WriteText(tree, written));
    EXPECT_EQ(written.find("TOPSECRET"), std::string::npos);
    const std::string path = Store("entity.xml", text);
    VisuXMLFile file(MOKUnicodeString(path.c_str()));
    EXPECT_EQ(file.SearchForMarkup("TOPSECRET-CONTENT"), 0);
  }
}

// Tests that a UTF-8 byte-order mark is read over and changes nothing.
TEST_F(HostileDocumentTest, ByteOrderMarkIsReadOver) {
  const std::string plain = "<Scene Name=\"caf\xc3\xa9\"><Object/></Scene>";
  const std::string reference = Store("plain.xml", plain);
  const std::string marked = Store("bom.xml", "\xef\xbb\xbf" + plain);
  EXPECT_EQ(CompareFiles(reference, marked), 1);
}

// UTF-16 text of an ASCII-and-Latin-1 document, with its byte-order mark.
std::string Utf16(const std::string& latin1, bool bigEndian) {
  std::string out = bigEndian ? "\xfe\xff" : "\xff\xfe";
  for (unsigned char c : latin1) {
    const char high = '\0';
    const char low = static_cast<char>(c);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}

// Tests that a UTF-16 reference, either byte order, reads as the same
// document as its UTF-8 form.
TEST_F(HostileDocumentTest, Utf16ReferenceEqualsItsUtf8Form) {
  const std::string reference =
      Store("utf8.xml", "<Scene Name=\"caf\xc3\xa9\"><Object/></Scene>");
  const std::string latin1 = "<Scene Name=\"caf\xe9\"><Object/></Scene>";
  EXPECT_EQ(CompareFiles(reference, Store("le.xml", Utf16(latin1, false))), 1);
  EXPECT_EQ(CompareFiles(reference, Store("be.xml", Utf16(latin1, true))), 1);
}

// Tests that a document cut at every position is refused, except once the
// root is complete, when it equals the whole document.
TEST_F(HostileDocumentTest, TruncatedAtEveryPositionIsRefused) {
  const std::string whole =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Scene Name=\"demo\" Size=\"1.50\">\n"
      "  <!-- camera first -->\n"
      "  <Camera Fov=\"45.00\"/>\n"
      "  <Object Name=\"a &amp; b\"><![CDATA[<x>]]>text</Object>\n"
      "</Scene>\n";
  const std::string complete = Store("whole.xml", whole);
  const std::size_t rootEnd = whole.rfind("</Scene>") + 8;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE("cut at " + std::to_string(length));
    const std::string cut = Store("cut.xml", whole.substr(0, length));
    EXPECT_EQ(CompareFiles(complete, cut), length >= rootEnd ? 1 : -1);
  }
}

}  // namespace
