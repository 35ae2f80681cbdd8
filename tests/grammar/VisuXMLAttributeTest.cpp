#include <cstddef>
#include <string>

#include <gtest/gtest.h>

#include "FailingAllocator.h"
#include "GrammarFixture.h"
#include "MOKLightXmlElement.h"
#include "VisuXMLAttributeTestAccess.h"

namespace {

using Access = VisuXMLAttributeTestAccess;

std::string Text(const MOKUnicodeString& text) {
  return std::string(static_cast<const char*>(text),
                     static_cast<std::size_t>(text.GetLengthInByte()));
}

std::string LastError() { return Text(VisuXMLAttribute::GetLastErrorMessage()); }

class VisuXMLAttributeTest : public GrammarFixture {
 protected:
  void SetUp() override { VisuXMLAttribute::GetLastErrorMessage() = ""; }

  static VisuXMLError Declare(const char* name,
                              VisuXMLTypeOfAttribute type = VisuXMLTextAttribute) {
    return VisuXMLAttribute::CreateXMLAttribute(MOKUnicodeString(name), type);
  }
};

// Tests that an empty name is refused with its message and nothing is declared.
TEST_F(VisuXMLAttributeTest, EmptyNameIsRefused) {
  EXPECT_EQ(1u, Declare(""));
  EXPECT_EQ("The name provided for the XML attribute is empty.", LastError());
  EXPECT_EQ(nullptr, Access::First());
}

// Tests that a name that is not an XML name is refused with its message.
TEST_F(VisuXMLAttributeTest, InvalidNameIsRefused) {
  EXPECT_EQ(1u, Declare("1st"));
  EXPECT_EQ("The name provided for the XML attribute - 1st - is not a valid XML name.",
            LastError());
  EXPECT_EQ(nullptr, Access::First());
}

// Tests that every kind of malformed name is refused, invalid UTF-8 included.
TEST_F(VisuXMLAttributeTest, MalformedNamesAreRefused) {
  const char* const names[] = {"a b", "-x", ".x", "x<y", "a\"b", "x&y",
                               "\xC3",          // truncated sequence
                               "\xC0\xA1",      // overlong form of '!'
                               "\xED\xA0\x80",  // surrogate
                               "\xF4\x90\x80\x80",  // above U+10FFFF
                               "\xC2\xB7x",     // middle dot cannot start
                               "\xC3\x97",      // multiplication sign
                               "\x80",          // lone continuation byte
                               "\xE6\x97",      // truncated three bytes
                               "\xE0\x80\xAF",  // overlong three bytes
                               "\xF8\x88\x80\x80\x80",  // five-byte form
                               "\xFF",
                               "\xEF\xBF\xBE",  // U+FFFE, not a character
                               "\xF3\xB0\x80\x80"};  // U+F0000, plane 15
  for (const char* name : names) {
    EXPECT_EQ(1u, Declare(name)) << name;
  }
  EXPECT_EQ(nullptr, Access::First());
}

// Tests that a name with an embedded zero byte is refused.
TEST_F(VisuXMLAttributeTest, NameWithZeroByteIsRefused) {
  EXPECT_EQ(1u, VisuXMLAttribute::CreateXMLAttribute(MOKUnicodeString("a\0b", 3),
                                                     VisuXMLTextAttribute));
  EXPECT_EQ(nullptr, Access::First());
}

// Tests that names using the whole XML name alphabet are accepted.
TEST_F(VisuXMLAttributeTest, ValidNamesAreAccepted) {
  const char* const names[] = {"x",      "_x",        ":x",     "ns:x.y-z_9",
                               "\xC3\xA9t\xC3\xA9",  // été
                               "a\xC2\xB7" "b",      // middle dot after start
                               "\xE6\x97\xA5",       // CJK ideograph
                               "\xF0\x90\x80\x80",   // U+10000
                               "\xEF\xBF\xBD",       // U+FFFD
                               "\xF3\xAF\xBF\xBF"};  // U+EFFFF
  for (const char* name : names) {
    EXPECT_EQ(0u, Declare(name)) << name;
  }
}

// Tests that the registry runs from the newest declaration to the oldest.
TEST_F(VisuXMLAttributeTest, RegistryListsNewestFirst) {
  Declare("X");
  Declare("Y");
  Declare("Z");
  const VisuXMLAttribute* first = Access::First();
  ASSERT_NE(nullptr, first);
  EXPECT_EQ("Z", Text(Access::Name(first)));
  EXPECT_EQ("Y", Text(Access::Name(Access::Next(first))));
  EXPECT_EQ("X", Text(Access::Name(Access::Next(Access::Next(first)))));
  EXPECT_EQ(nullptr, Access::Next(Access::Next(Access::Next(first))));
}

// Tests that every declared name is found and an undeclared one is not.
TEST_F(VisuXMLAttributeTest, LookupFindsDeclaredNamesOnly) {
  Declare("X");
  Declare("Y", VisuXMLRealAttribute);
  Declare("Z");
  EXPECT_EQ("X", Text(Access::Name(Access::Retrieve("X"))));
  EXPECT_EQ("Y", Text(Access::Name(Access::Retrieve("Y"))));
  EXPECT_EQ("Z", Text(Access::Name(Access::Retrieve("Z"))));
  EXPECT_EQ(nullptr, Access::Retrieve("W"));
  EXPECT_EQ(VisuXMLRealAttribute, VisuXMLAttribute::GetXMLAttributeType("Y"));
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("W"));
  EXPECT_EQ("", LastError());
}

// Tests that a lookup started behind the head sees only older declarations.
TEST_F(VisuXMLAttributeTest, LookupFromInnerRecordSeesOnlyOlderOnes) {
  Declare("X");
  Declare("Y");
  Declare("Z");
  VisuXMLAttribute* y = Access::Next(Access::First());
  EXPECT_EQ(y, Access::RetrieveFrom(y, "Y"));
  EXPECT_EQ("X", Text(Access::Name(Access::RetrieveFrom(y, "X"))));
  EXPECT_EQ(nullptr, Access::RetrieveFrom(y, "Z"));
}

// Tests that a second declaration is refused and the first type is kept.
TEST_F(VisuXMLAttributeTest, DuplicateNameIsRefused) {
  EXPECT_EQ(0u, Declare("Size", VisuXMLRealAttribute));
  EXPECT_EQ(1u, Declare("Size", VisuXMLTextAttribute));
  EXPECT_EQ("The XML attribute Size already exists.", LastError());
  EXPECT_EQ(VisuXMLRealAttribute, VisuXMLAttribute::GetXMLAttributeType("Size"));
  EXPECT_EQ(1u, Access::RegistrySize());
}

// Tests that a type outside the enumeration is stored and reported unchanged.
TEST_F(VisuXMLAttributeTest, UnknownTypeIsKept) {
  Declare("Odd", static_cast<VisuXMLTypeOfAttribute>(7));
  EXPECT_EQ(7, VisuXMLAttribute::GetXMLAttributeType("Odd"));
}

// Tests that a success leaves the previous failure's message in place.
TEST_F(VisuXMLAttributeTest, SuccessKeepsLastMessage) {
  Declare("");
  EXPECT_EQ(0u, Declare("X"));
  EXPECT_EQ("The name provided for the XML attribute is empty.", LastError());
}

// Tests that a copy is unlinked, takes the source's fields and is not found.
TEST_F(VisuXMLAttributeTest, CopyIsAnUnregisteredHolder) {
  Declare("X", VisuXMLRealAttribute);
  Declare("Y");
  VisuXMLAttribute* copy = Access::Copy(Access::First());
  EXPECT_EQ(nullptr, Access::Next(copy));
  EXPECT_EQ("Y", Text(Access::Name(copy)));
  EXPECT_EQ("???", Text(Access::Value(copy)));
  EXPECT_NE(copy, Access::Retrieve("Y"));
  Access::Destroy(copy);
  EXPECT_EQ(2u, Access::RegistrySize());
}

// Tests that a null or empty value leaves the value unset.
TEST_F(VisuXMLAttributeTest, SetValueIgnoresNullAndEmpty) {
  Declare("X");
  VisuXMLAttribute* copy = Access::Copy(Access::First());
  Access::SetValue(copy, nullptr);
  Access::SetValue(copy, "");
  EXPECT_EQ("???", Text(Access::Value(copy)));
  Access::Destroy(copy);
}

// Tests that a value replaces the previous one.
TEST_F(VisuXMLAttributeTest, SetValueReplacesValue) {
  Declare("X");
  VisuXMLAttribute* copy = Access::Copy(Access::First());
  Access::SetValue(copy, "1.5");
  EXPECT_EQ("1.5", Text(Access::Value(copy)));
  Access::SetValue(copy, "2");
  EXPECT_EQ("2", Text(Access::Value(copy)));
  Access::Destroy(copy);
}

// Tests that streaming writes the name and value into the element.
TEST_F(VisuXMLAttributeTest, StreamWritesNameAndValue) {
  Declare("Width");
  VisuXMLAttribute* copy = Access::Copy(Access::First());
  Access::SetValue(copy, "12");
  MOKLightXmlElement element(MOKUnicodeString("Box"));
  EXPECT_EQ(0u, Access::Stream(copy, &element));
  EXPECT_EQ("12", Text(element.GetAttributeValue("Width")));
  Access::Destroy(copy);
}

// Tests that streaming into no element does nothing and succeeds.
TEST_F(VisuXMLAttributeTest, StreamIntoNullElementSucceeds) {
  Declare("Width");
  EXPECT_EQ(0u, Access::Stream(Access::First(), nullptr));
}

// Tests that destroying the registry forgets every name and allows reuse.
TEST_F(VisuXMLAttributeTest, DestroyForgetsEveryName) {
  Declare("X", VisuXMLRealAttribute);
  Declare("Y", VisuXMLRealAttribute);
  VisuXMLAttribute::DestroyAttributes();
  EXPECT_EQ(nullptr, Access::First());
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("X"));
  EXPECT_EQ(nullptr, Access::Retrieve("Y"));
  EXPECT_EQ(0u, Declare("X"));
  EXPECT_EQ(VisuXMLTextAttribute, VisuXMLAttribute::GetXMLAttributeType("X"));
}

// Tests that destroying keeps the last message.
TEST_F(VisuXMLAttributeTest, DestroyKeepsLastMessage) {
  Declare("");
  VisuXMLAttribute::DestroyAttributes();
  EXPECT_EQ("The name provided for the XML attribute is empty.", LastError());
}

// Tests that running out of memory declares nothing and does not fail.
TEST_F(VisuXMLAttributeTest, OutOfMemoryDeclaresNothing) {
  Declare("X");
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(0u, Declare("Y"));
  }
  EXPECT_EQ(nullptr, Access::Retrieve("Y"));
  EXPECT_EQ(1u, Access::RegistrySize());
  EXPECT_EQ(0u, Declare("Y"));
}

// Tests that a million declarations are found and freed without recursion.
TEST_F(VisuXMLAttributeTest, MillionDeclarationsAreFreed) {
  constexpr int kCount = 1000000;
  for (int i = 0; i < kCount; ++i) {
    ASSERT_EQ(0u, Declare(("a" + std::to_string(i)).c_str()));
  }
  EXPECT_EQ("a0", Text(Access::Name(Access::Retrieve("a0"))));
  EXPECT_EQ(1u, Declare("a0"));
  VisuXMLAttribute::DestroyAttributes();
  EXPECT_EQ(nullptr, Access::First());
}

}  // namespace
