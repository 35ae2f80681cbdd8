#ifndef StreamTestSupport_h
#define StreamTestSupport_h

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

// Helpers shared by the stream tests: declaring a grammar tersely, taking
// the finished tree, and rendering a tree as one line of text so that a
// whole document can be compared at once.
namespace StreamTestSupport {

using Tree = std::unique_ptr<MOKLightXmlElement>;
using NameValue = std::pair<std::string, std::string>;

inline std::string Text(const MOKUnicodeString& text) { return text.GetText(); }

// Renders name, attributes in order, text and children, recursively:
// Name(a=1, b=2) "text" [Child | Child].
inline std::string Describe(const MOKLightXmlElement& element) {
  std::string out = Text(element.GetName());
  if (element.GetAttributeCount() != 0) {
    out += "(";
    for (std::size_t i = 0; i < element.GetAttributeCount(); ++i) {
      if (i != 0) out += ", ";
      out += Text(element.GetAttributeNameAt(i)) + "=" +
             Text(element.GetAttributeValueAt(i));
    }
    out += ")";
  }
  if (element.GetValue().GetLengthInByte() != 0) {
    out += " \"" + Text(element.GetValue()) + "\"";
  }
  if (element.GetChildCount() != 0) {
    out += " [";
    for (std::size_t i = 0; i < element.GetChildCount(); ++i) {
      if (i != 0) out += " | ";
      out += Describe(*element.GetChildAt(i));
    }
    out += "]";
  }
  return out;
}

inline std::string Error(const std::string& message) {
  return "VisuXMLError \"" + message + "\"";
}

inline std::vector<NameValue> Attributes(const MOKLightXmlElement& element) {
  std::vector<NameValue> attributes;
  for (std::size_t i = 0; i < element.GetAttributeCount(); ++i) {
    attributes.emplace_back(Text(element.GetAttributeNameAt(i)),
                            Text(element.GetAttributeValueAt(i)));
  }
  return attributes;
}

// Empties every registry and the stream, whatever a test left behind, in
// the order the controller uses.
inline void ResetGrammarAndStream() {
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLMarkup::ClearMarkupsHistory();
  VisuXMLAttribute::DestroyAttributes();
  delete VisuXMLMarkup::GetXMLStreamNode();
  VisuXMLMarkup::GetLastErrorMessage() = MOKUnicodeString();
}

// Base fixture: a clean grammar and stream around every test.
class StreamFixture : public ::testing::Test {
 protected:
  void SetUp() override { ResetGrammarAndStream(); }
  void TearDown() override { ResetGrammarAndStream(); }

  static void Attribute(const char* name) {
    ASSERT_EQ(0u,
              VisuXMLAttribute::CreateXMLAttribute(name, VisuXMLTextAttribute));
  }
  static void Markup(const char* name,
                     VisuXMLTypeOfMarkup type = VisuXMLStandardMarkup) {
    ASSERT_EQ(0u, VisuXMLMarkup::CreateXMLMarkup(name, type));
  }
  static void Attach(const char* markup, const char* attribute,
                     VisuXMLAttributeToMarkupLink link) {
    ASSERT_EQ(0u, VisuXMLMarkup::AttachAttribute(markup, attribute, link));
  }
  static void Sub(const char* parent, const char* sub,
                  VisuXMLMarkupToMarkupLink link) {
    ASSERT_EQ(0u, VisuXMLMarkup::AttachMarkup(parent, sub, link));
  }
  static void Group(const char* parent, std::vector<MOKUnicodeString> names,
                    VisuXMLMarkupToMarkupLink link) {
    ASSERT_EQ(0u, VisuXMLMarkup::RegroupMarkups(
                      parent, names.data(),
                      static_cast<std::uint32_t>(names.size()), link));
  }

  static VisuXMLError Open(const char* name) {
    return VisuXMLMarkup::OpenMarkup(name);
  }
  static VisuXMLError Close(const char* name) {
    return VisuXMLMarkup::CloseMarkup(name);
  }
  static VisuXMLError Set(const char* attribute, const char* value) {
    return VisuXMLMarkup::SetAttributeValue(attribute, value);
  }
  static VisuXMLError SetText(const char* text) {
    return VisuXMLMarkup::SetText(text);
  }
  // Opens and at once closes a markup; the opening's result.
  static VisuXMLError OpenClose(const char* name) {
    const VisuXMLError result = Open(name);
    EXPECT_EQ(0u, Close(name));
    return result;
  }
  static Tree TakeTree() { return Tree(VisuXMLMarkup::GetXMLStreamNode()); }
  static std::string LastError() {
    return Text(VisuXMLMarkup::GetLastErrorMessage());
  }
  // The whole tree rendered by Describe, or "<no tree>".
  static std::string TakeTreeText() {
    Tree tree = TakeTree();
    return tree == nullptr ? std::string("<no tree>") : Describe(*tree);
  }
};

}  // namespace StreamTestSupport

#endif
