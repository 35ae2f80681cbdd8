#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "LightXmlTestSupport.h"
#include "MOKLightXmlElement.h"

namespace {

// A piece of hostile text and what the writer turns it into.
struct Piece {
  const char* raw;
  const char* written;
};

const char kR[] = "\xEF\xBF\xBD";

const std::vector<Piece>& HostilePieces() {
  static const std::vector<Piece> pieces = {
      {"a", "a"}, {"Z9", "Z9"}, {" ", " "}, {"\t", "\t"}, {"\n", "\n"},
      {"\r", "\r"}, {"\r\n", "\r\n"}, {"&", "&"}, {"<", "<"}, {">", ">"},
      {"\"", "\""}, {"'", "'"}, {"]]>", "]]>"}, {"&amp;", "&amp;"},
      {"\xC3\xA9", "\xC3\xA9"}, {"\xE2\x82\xAC", "\xE2\x82\xAC"},
      {"\xF0\x9D\x84\x9E", "\xF0\x9D\x84\x9E"}, {"\xC2\x85", "\xC2\x85"},
      {"\x7F", "\x7F"}, {"\x01", kR}, {"\x1F", kR}, {"\x0B", kR},
      {"\xFF", kR}, {"\x80", kR}, {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xC3(", "\xEF\xBF\xBD("},
      {"\xEF\xBF\xBF", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}};
  return pieces;
}

class MOKLightXmlRoundTripTest : public ::testing::Test {
 protected:
  // Fills raw and expected with the same random text, before and after
  // the writer's replacements.
  void RandomText(std::string& raw, std::string& expected, bool blanksOnly) {
    raw.clear();
    expected.clear();
    const int length = static_cast<int>(random_() % 6);
    for (int i = 0; i < length; ++i) {
      const Piece& piece =
          blanksOnly ? HostilePieces()[2 + random_() % 5]
                     : HostilePieces()[random_() % HostilePieces().size()];
      raw += piece.raw;
      expected += piece.written;
    }
  }

  std::string RandomName() {
    static const char* const kStarts[] = {"a", "Z", "_", ":", "\xC3\xA9"};
    static const char* const kRest[] = {"b", "0", "-", ".", "_", "\xC3\xA9"};
    std::string name = kStarts[random_() % 5];
    const int length = static_cast<int>(random_() % 4);
    for (int i = 0; i < length; ++i) name += kRest[random_() % 6];
    return name;
  }

  // Gives both elements the same random name, attributes and text.
  void FillNode(MOKLightXmlElement& raw, MOKLightXmlElement& expected,
                bool willHaveChildren) {
    const std::string name = RandomName();
    raw.SetName(name.c_str());
    expected.SetName(name.c_str());
    const int attributes = static_cast<int>(random_() % 4);
    for (int i = 0; i < attributes; ++i) {
      const std::string attribute = RandomName() + std::to_string(i);
      std::string value, written;
      RandomText(value, written, false);
      raw.SetAttributeValue(attribute.c_str(), MOKUnicodeString(value));
      expected.SetAttributeValue(attribute.c_str(), MOKUnicodeString(written));
    }
    std::string text, written;
    RandomText(text, written, willHaveChildren && random_() % 2 == 0);
    raw.SetValue(MOKUnicodeString(text));
    expected.SetValue(MOKUnicodeString(written));
  }

  // Builds a random tree of about the given size, iteratively.
  void BuildTree(MOKLightXmlElement& raw, MOKLightXmlElement& expected,
                 int nodes) {
    std::vector<std::pair<MOKLightXmlElement*, MOKLightXmlElement*>> open{
        {&raw, &expected}};
    FillNode(raw, expected, true);
    for (int i = 1; i < nodes; ++i) {
      auto [parentRaw, parentExpected] = open[random_() % open.size()];
      MOKLightXmlElement* childRaw = parentRaw->AppendNewChild();
      MOKLightXmlElement* childExpected = parentExpected->AppendNewChild();
      FillNode(*childRaw, *childExpected, random_() % 2 == 0);
      open.emplace_back(childRaw, childExpected);
    }
  }

  std::mt19937 random_{20261206};
};

// Tests that random hostile trees read back as written, with unwritable
// bytes replaced, also with a newline after the document.
TEST_F(MOKLightXmlRoundTripTest, RandomTreesReadBackAsWritten) {
  for (int round = 0; round < 200; ++round) {
    MOKLightXmlElement raw, expected, reread;
    BuildTree(raw, expected, 1 + round % 40);
    const std::string text = WriteText(raw);
    ASSERT_EQ(ParseText(text + "\n", reread), 1) << text;
    ASSERT_EQ(FirstDifference(expected, reread), "") << text;
  }
}

// Tests that whitespace-only texts of elements with children survive.
TEST_F(MOKLightXmlRoundTripTest, WhitespaceTextWithChildrenSurvives) {
  MOKLightXmlElement root("r"), reread;
  root.SetValue(" \n\t\r ");
  MOKLightXmlElement child("c");
  child.SetValue("\n");
  child.AddChild(MOKLightXmlElement("g"));
  root.AddChild(child);
  ASSERT_EQ(ParseText(WriteText(root), reread), 1);
  EXPECT_EQ(FirstDifference(root, reread), "");
}

}  // namespace
