#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "LightXmlTestSupport.h"

namespace {

#define R "\xEF\xBF\xBD"
// Hostile pieces of text and what the writer turns them into; blanks first.
const std::vector<std::pair<std::string, std::string>> kPieces = {
    {" ", " "}, {"\t", "\t"}, {"\n", "\n"}, {"\r", "\r"}, {"\r\n", "\r\n"}, {"a", "a"}, {"&", "&"},
    {"<", "<"}, {">", ">"}, {"\"", "\""}, {"'", "'"}, {"]]>", "]]>"}, {"&amp;", "&amp;"},
    {"\xC3\xA9", "\xC3\xA9"}, {"\xE2\x82\xAC", "\xE2\x82\xAC"}, {"\xF0\x9D\x84\x9E", "\xF0\x9D\x84\x9E"},
    {"\xC2\x85", "\xC2\x85"}, {"\x7F", "\x7F"}, {std::string(1, '\0'), R}, {"\x01", R}, {"\x1F", R},
    {"\x0B", R}, {"\xFF", R}, {"\x80", R}, {"\xC0\xAF", R R}, {"\xC3(", R "("},
    {"\xEF\xBF\xBF", R R R}, {"\xED\xA0\x80", R R R}};
#undef R

class MOKLightXmlRoundTripTest : public ::testing::Test {
 protected:
  // Random text before and after the writer's replacements; only blanks when asked.
  std::pair<MOKUnicodeString, MOKUnicodeString> RandomText(bool blanksOnly) {
    std::string raw, written;
    for (int i = static_cast<int>(random_() % 6); i > 0; --i) {
      const auto& piece = kPieces[random_() % (blanksOnly ? 5 : kPieces.size())];
      raw += piece.first;
      written += piece.second;
    }
    return {MOKUnicodeString(raw), MOKUnicodeString(written)};
  }

  std::string RandomName() {
    static const char* const kChars[] = {"a", "Z", "_", ":", "\xC3\xA9", "b", "0", "-", "."};
    std::string name = kChars[random_() % 5];
    for (int i = static_cast<int>(random_() % 4); i > 0; --i) name += kChars[random_() % 9];
    return name;
  }

  // Gives both elements the same random name, attributes and text.
  void Fill(MOKLightXmlElement& raw, MOKLightXmlElement& expected, bool blanksOnly) {
    raw.SetName(RandomName().c_str());
    expected.SetName(raw.GetName());
    for (int i = static_cast<int>(random_() % 4); i > 0; --i) {
      const std::string name = RandomName() + std::to_string(i);
      const auto value = RandomText(false);
      raw.SetAttributeValue(name.c_str(), value.first);
      expected.SetAttributeValue(name.c_str(), value.second);
    }
    const auto text = RandomText(blanksOnly);
    raw.SetValue(text.first);
    expected.SetValue(text.second);
  }

  std::mt19937 random_{20261206};
};

// Tests that random hostile trees, whitespace-only texts beside children included, read back
// as written with unwritable bytes replaced, also with a newline after the document.
TEST_F(MOKLightXmlRoundTripTest, RandomTreesReadBackAsWritten) {
  for (int round = 0; round < 200; ++round) {
    MOKLightXmlElement raw, expected, reread;
    std::vector<std::pair<MOKLightXmlElement*, MOKLightXmlElement*>> nodes{{&raw, &expected}};
    Fill(raw, expected, round % 2 == 0);
    for (int i = round % 40; i > 0; --i) {
      auto [parentRaw, parentExpected] = nodes[random_() % nodes.size()];
      nodes.emplace_back(parentRaw->AppendNewChild(), parentExpected->AppendNewChild());
      Fill(*nodes.back().first, *nodes.back().second, random_() % 2 == 0);
    }
    const std::string text = WriteText(raw);
    ASSERT_EQ(ParseText(text + "\n", reread), 1) << text;
    ASSERT_EQ(Render(reread), Render(expected)) << text;
  }
}

// Tests that a chain nested a million deep is copied, written (in memory: syncing hundreds of
// megabytes would only measure the disk) with capped indentation, read back and destroyed.
TEST_F(MOKLightXmlRoundTripTest, MillionDeepChainSurvivesEveryOperation) {
  constexpr std::size_t kDepth = 1000000;
  MOKLightXmlElement chain("d");
  MOKLightXmlElement* node = &chain;
  for (std::size_t i = 1; i < kDepth; ++i) (node = node->AppendNewChild())->SetName("d");
  node->SetValue("bottom");
  const auto depthAndBottom = [](const MOKLightXmlElement& root) {
    std::size_t depth = 1;
    const MOKLightXmlElement* at = &root;
    for (; at->GetChildCount() == 1; ++depth) at = at->GetChildAt(0);
    return std::to_string(depth) + ":" + at->GetValue().GetText();
  };
  EXPECT_EQ(depthAndBottom(MOKLightXmlElement(chain)), "1000000:bottom");
  const std::string text = WriteText(chain);
  EXPECT_NE(text.find("\n" + std::string(64, ' ') + "<d>"), std::string::npos);
  EXPECT_EQ(text.find(std::string(66, ' ')), std::string::npos);
  MOKLightXmlElement reread;
  ASSERT_EQ(ParseText(text, reread, 1 << 20), 1);
  EXPECT_EQ(depthAndBottom(reread), "1000000:bottom");
}

}  // namespace
