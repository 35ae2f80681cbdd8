#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "GrammarTestSupport.h"

namespace {

using Access = VisuXMLAttributeTestAccess;

std::string LastError() { return VisuXMLAttribute::GetLastErrorMessage().GetText(); }

VisuXMLError Declare(const std::string& name, int type = VisuXMLTextAttribute) {
  return VisuXMLAttribute::CreateXMLAttribute(MOKUnicodeString(name.data(), name.size()),
                                              static_cast<VisuXMLTypeOfAttribute>(type));
}

class VisuXMLAttributeTest : public GrammarTest::Fixture {};

// Tests that refused names give 1 with their message and leave the registry and the first type alone.
TEST_F(VisuXMLAttributeTest, RefusedDeclarationsReportAndChangeNothing) {
  ASSERT_EQ(0u, Declare("Size", VisuXMLRealAttribute));
  const std::pair<std::string, std::string> rows[] = {
      {"", "The name provided for the XML attribute is empty."},
      {"Size", "The XML attribute Size already exists."},
      {"1st", "The name provided for the XML attribute - 1st - is not a valid XML name."},
      {"a b", "The name provided for the XML attribute - a b - is not a valid XML name."}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    EXPECT_EQ(1u, Declare(row.first));
    EXPECT_EQ(row.second, LastError());
  }
  // Malformed UTF-8, and characters that the host's reader refuses in a name: those outside the
  // XML name alphabet, and those only later editions of XML admit (U+021B, U+20AC, U+00AA,
  // U+FFFD, U+10000 and beyond), which the writer would rename.
  const std::string malformed[] = {"-x", ".x", "x<y", "a\"b", std::string("a\0b", 3), "\xC3", "\xC0\xA1", "\x80",
                                   "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC2\xB7x", "\xC3\x97", "\xE0\x80\xAF",
                                   "\xF8\x88\x80\x80\x80", "\xFF", "\xEF\xBF\xBE", "\xF3\xB0\x80\x80",
                                   "\xC3\x8E" "n\xC4\x83l\xC8\x9Bime", "a\xE2\x82\xAC", "\xC2\xAA", "\xEF\xBF\xBD",
                                   "\xF0\x90\x80\x80", "a\xF3\xAF\xBF\xBF"};
  for (const std::string& name : malformed) EXPECT_EQ(1u, Declare(name)) << name;
  EXPECT_EQ("Size ", Access::Registry());
  EXPECT_EQ(VisuXMLRealAttribute, VisuXMLAttribute::GetXMLAttributeType("Size"));
  const std::string lastMessage = LastError();
  EXPECT_EQ(0u, Declare("X"));
  EXPECT_EQ(lastMessage, LastError());
}

// Tests the name alphabet the host's reader and writer share, the registry newest first, types found by name (twice, through the recent
// names), and that destroying forgets every name, even recently found ones, and keeps the last message.
TEST_F(VisuXMLAttributeTest, RegistryListsNewestFirstWithTheirTypes) {
  for (const char* name : {"_x", ":x", "ns:x.y-z_9", "\xC3\xA9t\xC3\xA9", "a\xC2\xB7" "b", "\xE6\x97\xA5",
                           "\xEA\xB0\x80\xD9\xA0", "x\xCC\x81"})
    EXPECT_EQ(0u, Declare(name)) << name;
  Declare("");
  VisuXMLAttribute::DestroyAttributes();
  EXPECT_EQ("", Access::Registry());
  EXPECT_EQ("The name provided for the XML attribute is empty.", LastError());
  Declare("X");
  Declare("Y", VisuXMLRealAttribute);
  Declare("Z", 7);
  EXPECT_EQ("Z Y X ", Access::Registry());
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(VisuXMLRealAttribute, VisuXMLAttribute::GetXMLAttributeType("Y"));
    EXPECT_EQ(7, VisuXMLAttribute::GetXMLAttributeType("Z"));
  }
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("W"));
  EXPECT_EQ(nullptr, Access::Find("W"));
  VisuXMLAttribute::DestroyAttributes();
  Declare("X");
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("Y"));
  EXPECT_EQ(0u, Declare("Y"));
}

}  // namespace
