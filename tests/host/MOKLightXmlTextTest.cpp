#include <gtest/gtest.h>

#include "LightXmlTestSupport.h"
#include "MOKLightXmlText.h"

namespace {

const char kFFFD[] = "\xEF\xBF\xBD";

class MOKLightXmlTextTest : public ::testing::Test {
 protected:
  // The text, made writable, and whether it changed.
  static std::pair<std::string, int> Writable(const std::string& text) {
    MOKUnicodeString string(text.data(), text.size());
    const int changed = MOKLightXmlMakeWritable(string);
    return {string.GetText(), changed};
  }

  // The value an element holding the text has once written and read back.
  static std::string ReadBack(const std::string& text, bool attribute) {
    MOKLightXmlElement element("e");
    const MOKUnicodeString value(text.data(), text.size());
    if (attribute)
      element.SetAttributeValue("a", value);
    else
      element.SetValue(value);
    MOKLightXmlElement read;
    EXPECT_EQ(ParseText(WriteText(element), read), 1) << text;
    return attribute ? read.GetAttributeValue("a").GetText() : read.GetValue().GetText();
  }
};

// Tests which byte sequences are replaced, one U+FFFD per offending byte.
TEST_F(MOKLightXmlTextTest, ReplacesWhatXmlCannotCarry) {
  const std::string f(kFFFD);
  const struct { std::string text, writable; } kCases[] = {
      {"plain text", "plain text"}, {"", ""}, {"\t\n\r&<>\"\x7F", "\t\n\r&<>\"\x7F"},
      {"\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E", "\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E"},
      {"a\x01" "b", "a" + f + "b"}, {"\xA9", f}, {"x\xE2\x82", "x" + f + f},
      {"\xEF\xBF\xBE", f + f + f}, {"\xED\xA0\x80", f + f + f}, {"\xC0\xAF", f + f},
      {std::string("a\0b", 3), "a" + f + "b"}};
  for (const auto& c : kCases) {
    const auto result = Writable(c.text);
    EXPECT_EQ(result.first, c.writable) << c.text;
    EXPECT_EQ(result.second, c.text != c.writable ? 1 : 0) << c.text;
  }
}

// Tests that the replaced text is exactly what a written document reads back
// as, in element text and in attribute values.
TEST_F(MOKLightXmlTextTest, AgreesWithTheWriter) {
  for (const std::string text : {"a\x01" "b\xA9", "\x02\xE2\x82 \xF4\x90\x80\x80", "t\x1F\xFF\xFE"}) {
    EXPECT_EQ(ReadBack(text, false), Writable(text).first);
    EXPECT_EQ(ReadBack(text, true), Writable(text).first);
  }
}

}  // namespace
