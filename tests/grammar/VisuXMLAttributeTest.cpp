#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "GrammarTestSupport.h"

namespace {

using Access = VisuXMLAttributeTestAccess;

std::string LastError() {
  return VisuXMLAttribute::GetLastErrorMessage().GetText();
}

VisuXMLError Declare(const std::string& name, int type = VisuXMLTextAttribute) {
  return VisuXMLAttribute::CreateXMLAttribute(
      MOKUnicodeString(name.data(), name.size()),
      static_cast<VisuXMLTypeOfAttribute>(type));
}

class VisuXMLAttributeTest : public GrammarTest::Fixture {};

// Tests that refused names give 1 with their message and leave the registry
// and the first type alone; a later success keeps the message.
TEST_F(VisuXMLAttributeTest, RefusedDeclarationsReportAndChangeNothing) {
  ASSERT_EQ(0u, Declare("Size", VisuXMLRealAttribute));
  const std::pair<std::string, std::string> rows[] = {
      {"", "The name provided for the XML attribute is empty."},
      {"Size", "The XML attribute Size already exists."},
      {"1st",
       "The name provided for the XML attribute - 1st - is not a "
       "valid XML name."},
      {"a b",
       "The name provided for the XML attribute - a b - is not a "
       "valid XML name."}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    EXPECT_EQ(1u, Declare(row.first));
    EXPECT_EQ(row.second, LastError());
  }
  // Malformed UTF-8, and characters that the host's reader refuses in a
  // name: those outside the XML name alphabet, and those only later editions
  // of XML admit (U+021B, U+20AC, U+00AA, U+FFFD, U+10000 and beyond), which
  // the writer would rename.
  EXPECT_EQ(1u, Declare(std::string("a\0b", 3)));
  for (const std::string& name : GrammarTest::Split(
           "-x .x x<y a\"b \xC3 \xC0\xA1 \x80 \xED\xA0\x80 \xF4\x90\x80\x80 "
           "\xC2\xB7x \xC3\x97 \xE0\x80\xAF \xF8\x88\x80\x80\x80 \xFF "
           "\xEF\xBF\xBE \xF3\xB0\x80\x80 \xC3\x8En\xC4\x83l\xC8\x9Bime "
           "a\xE2\x82\xAC \xC2\xAA \xEF\xBF\xBD \xF0\x90\x80\x80 "
           "a\xF3\xAF\xBF\xBF"))
    EXPECT_EQ(1u, Declare(name)) << name;
  EXPECT_EQ("Size ", Access::Registry());
  EXPECT_EQ(VisuXMLRealAttribute,
            VisuXMLAttribute::GetXMLAttributeType("Size"));
  const std::string lastMessage = LastError();
  EXPECT_EQ(0u, Declare("X"));
  EXPECT_EQ(lastMessage, LastError());
}

// Tests types found by name (twice, through the recent names), text for an
// unknown name, and that destroying forgets every name, even recently found
// ones. The names accepted are those the control tests dump and replay.
TEST_F(VisuXMLAttributeTest, TypesAreFoundByName) {
  Declare("Y", VisuXMLRealAttribute);
  Declare("Z", 7);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(VisuXMLRealAttribute, VisuXMLAttribute::GetXMLAttributeType("Y"));
    EXPECT_EQ(7, VisuXMLAttribute::GetXMLAttributeType("Z"));
  }
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("W"));
  VisuXMLAttribute::DestroyAttributes();
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("Y"));
  EXPECT_EQ(0u, Declare("Y"));
}

}  // namespace
