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
  // Malformed UTF-8 and characters outside the XML name alphabet.
  const std::string malformed[] = {"-x", ".x", "x<y", "a\"b", std::string("a\0b", 3), "\xC3", "\xC0\xA1", "\x80",
                                   "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC2\xB7x", "\xC3\x97", "\xE0\x80\xAF",
                                   "\xF8\x88\x80\x80\x80", "\xFF", "\xEF\xBF\xBE", "\xF3\xB0\x80\x80"};
  for (const std::string& name : malformed) EXPECT_EQ(1u, Declare(name)) << name;
  EXPECT_EQ("Size ", Access::Registry());
  EXPECT_EQ(VisuXMLRealAttribute, VisuXMLAttribute::GetXMLAttributeType("Size"));
  const std::string lastMessage = LastError();
  EXPECT_EQ(0u, Declare("X"));
  EXPECT_EQ(lastMessage, LastError());
}

// Tests that the whole XML name alphabet is accepted, listed newest first, and types are looked up by name.
TEST_F(VisuXMLAttributeTest, RegistryListsNewestFirstWithTheirTypes) {
  for (const char* name : {"_x", ":x", "ns:x.y-z_9", "\xC3\xA9t\xC3\xA9", "a\xC2\xB7" "b", "\xE6\x97\xA5",
                           "\xF0\x90\x80\x80", "\xEF\xBF\xBD", "\xF3\xAF\xBF\xBF"})
    EXPECT_EQ(0u, Declare(name)) << name;
  VisuXMLAttribute::DestroyAttributes();
  Declare("X");
  Declare("Y", VisuXMLRealAttribute);
  Declare("Z", 7);
  EXPECT_EQ("Z Y X ", Access::Registry());
  EXPECT_EQ(VisuXMLRealAttribute, VisuXMLAttribute::GetXMLAttributeType("Y"));
  EXPECT_EQ(7, VisuXMLAttribute::GetXMLAttributeType("Z"));
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("W"));
  EXPECT_EQ(nullptr, Access::Find("W"));
  EXPECT_EQ("", LastError());
}

// Tests that a copy is an unregistered value holder whose value only a non-empty text changes.
TEST_F(VisuXMLAttributeTest, CopyHoldsAndStreamsAValue) {
  Declare("Width");
  VisuXMLAttribute* copy = Access::Copy(Access::Find("Width"));
  EXPECT_EQ(nullptr, Access::Next(copy));
  Access::SetValue(copy, nullptr);
  Access::SetValue(copy, "");
  EXPECT_EQ("???", Access::Value(copy));
  Access::SetValue(copy, "1.5");
  EXPECT_EQ("1.5", Access::Value(copy));
  Access::SetValue(copy, "2");
  MOKLightXmlElement element(MOKUnicodeString("Box"));
  EXPECT_EQ(0u, Access::Stream(copy, &element));
  EXPECT_EQ(0u, Access::Stream(copy, nullptr));
  EXPECT_EQ("Box(Width=2)", GrammarTest::Describe(element));
  EXPECT_NE(copy, Access::Find("Width"));
  Access::Destroy(copy);
  EXPECT_EQ("???", Access::Value(Access::Find("Width")));
}

// Tests that destroying forgets every name, allows reuse and keeps the last message.
TEST_F(VisuXMLAttributeTest, DestroyForgetsEveryName) {
  Declare("X", VisuXMLRealAttribute);
  Declare("");
  VisuXMLAttribute::DestroyAttributes();
  EXPECT_EQ("", Access::Registry());
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("X"));
  EXPECT_EQ("The name provided for the XML attribute is empty.", LastError());
  EXPECT_EQ(0u, Declare("X"));
}

// Tests that a million declarations are found and freed without recursion.
TEST_F(VisuXMLAttributeTest, MillionDeclarationsAreFreed) {
  for (int i = 0; i < 1000000; ++i) ASSERT_EQ(0u, Declare("a" + std::to_string(i)));
  EXPECT_EQ(1u, Declare("a0"));
  VisuXMLAttribute::DestroyAttributes();
  EXPECT_EQ(nullptr, Access::Find("a0"));
}

}  // namespace
