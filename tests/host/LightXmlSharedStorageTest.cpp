// The element's shared storage: names held once per process, attribute
// blocks shared between copies until one of them changes.
#include <gtest/gtest.h>

#include <string>

#include "LightXmlNamePool.h"
#include "LightXmlTestSupport.h"
#include "LightXmlText.h"
#include "MOKLightXmlElement.h"

namespace {

class LightXmlSharedStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    original_.SetAttributeValue("a", "1");
    original_.SetAttributeValue("b", "two");
  }

  static std::string Value(const MOKLightXmlElement& element,
                           const char* name) {
    return element.GetAttributeValue(name).GetText();
  }

  MOKLightXmlElement original_{"e"};
};

// Tests that changing a copy's attribute leaves the original's value and
// the reference handed out for it untouched.
TEST_F(LightXmlSharedStorageTest, ChangedCopyLeavesOriginalAlone) {
  const MOKUnicodeString& before = original_.GetAttributeValue("a");
  MOKLightXmlElement copy(original_);
  copy.SetAttributeValue("a", "a much longer value than before");
  EXPECT_STREQ(before, "1");
  EXPECT_EQ(Value(original_, "a"), "1");
  EXPECT_EQ(Value(copy, "a"), "a much longer value than before");
}

// Tests that removing an attribute from a copy leaves the original whole.
TEST_F(LightXmlSharedStorageTest, RemovalFromCopyLeavesOriginalWhole) {
  MOKLightXmlElement copy(original_);
  EXPECT_EQ(copy.RemoveAttribute("a"), 1);
  EXPECT_EQ(copy.GetAttributeCount(), 1u);
  EXPECT_EQ(original_.GetAttributeCount(), 2u);
  EXPECT_EQ(Value(original_, "a"), "1");
}

// Tests that a value read from the element itself can be set back on it,
// also as a new attribute that makes the block grow.
TEST_F(LightXmlSharedStorageTest, OwnValueCanBeSetAgain) {
  original_.SetAttributeValue("a", original_.GetAttributeValue("b"));
  for (int i = 0; i < 20; ++i)
    original_.SetAttributeValue(("n" + std::to_string(i)).c_str(),
                                original_.GetAttributeValue("b"));
  EXPECT_EQ(Value(original_, "a"), "two");
  EXPECT_EQ(Value(original_, "n19"), "two");
  EXPECT_EQ(original_.GetAttributeNameAt(21).GetText(), "n19");
}

// Tests that a shorter, then a longer value keep the attribute's place and
// the other values.
TEST_F(LightXmlSharedStorageTest, ReplacedValuesKeepPlaceAndNeighbours) {
  original_.SetAttributeValue("a", "");
  original_.SetAttributeValue("a", "0123456789abcdef0123456789");
  EXPECT_EQ(original_.GetAttributeNameAt(0).GetText(), "a");
  EXPECT_EQ(Value(original_, "a"), "0123456789abcdef0123456789");
  EXPECT_EQ(Value(original_, "b"), "two");
}

// Tests that the raw bytes of a value match its string form, NUL included.
TEST_F(LightXmlSharedStorageTest, RawValueMatchesString) {
  original_.SetAttributeValue("z", MOKUnicodeString("x\0y", 3));
  std::size_t length = 0;
  const char* bytes = original_.GetAttributeTextAt(2, &length);
  EXPECT_EQ(std::string(bytes, length), std::string("x\0y", 3));
  EXPECT_EQ(original_.GetAttributeValueAt(2).GetText(), std::string(bytes, length));
}

// Tests that shared attributes follow the owner's later changes only in
// the element that changes them.
TEST_F(LightXmlSharedStorageTest, SharedAttributesSplitOnChange) {
  MOKLightXmlElement other{"o"};
  other.ShareAttributesOf(original_);
  EXPECT_TRUE(other.HasSameAttributeNames(original_));
  other.SetAttributeValue("b", "changed");
  EXPECT_EQ(Value(original_, "b"), "two");
  EXPECT_EQ(Value(other, "b"), "changed");
  other.SetAttributeValue("c", "3");
  EXPECT_FALSE(other.HasSameAttributeNames(original_));
}

// Tests that names with the same text are one shared name, and that an
// empty text is no name at all.
TEST_F(LightXmlSharedStorageTest, EqualNamesAreShared) {
  MOKLightXmlElement second{"e"};
  second.SetAttributeValue("b", "x");
  EXPECT_EQ(&second.GetName(), &original_.GetName());
  EXPECT_EQ(second.GetAttributeSharedNameAt(0),
            original_.GetAttributeSharedNameAt(1));
  EXPECT_EQ(LightXmlNamePool::Acquire("", 0), nullptr);
}

// Tests that a shared name outlives the element that brought it in, as long
// as another element still carries it.
TEST_F(LightXmlSharedStorageTest, NameOutlivesItsFirstElement) {
  auto* first = new MOKLightXmlElement(MOKUnicodeString("OnlyHereAtFirst"));
  MOKLightXmlElement copy(*first);
  delete first;
  EXPECT_EQ(copy.GetName().GetText(), "OnlyHereAtFirst");
}

// Tests that a name the writer has to rename is renamed wherever it occurs,
// not only the first time it is judged.
TEST_F(LightXmlSharedStorageTest, RenamedNameIsRenamedEveryTime) {
  MOKLightXmlElement root{"r"};
  MOKLightXmlElement bad{MOKUnicodeString("1bad")};
  bad.SetAttributeValue("2x", "v");
  root.AddChild(bad);
  root.AddChild(bad);
  const std::string text = WriteText(root);
  EXPECT_NE(text.find("<_bad _x=\"v\"/>\n  <_bad _x=\"v\"/>"),
            std::string::npos)
      << text;
}

// Tests the escaping of plain runs around every kind of special byte.
TEST_F(LightXmlSharedStorageTest, EscapesAroundPlainRuns) {
  const std::string text = "plain&<>\"\t\n\r\x01" "\xC3\xA9" "\xFF" "end";
  std::string content, attribute;
  AppendEscaped(content, text.data(), text.size(), false);
  AppendEscaped(attribute, text.data(), text.size(), true);
  EXPECT_EQ(content,
            "plain&amp;&lt;&gt;\"\t\n&#13;\xEF\xBF\xBD\xC3\xA9\xEF\xBF\xBD" "end");
  EXPECT_EQ(attribute,
            "plain&amp;&lt;&gt;&quot;&#9;&#10;&#13;\xEF\xBF\xBD\xC3\xA9"
            "\xEF\xBF\xBD" "end");
}

}  // namespace
