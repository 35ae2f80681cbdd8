// The element's shared storage: names held once per process, attribute
// blocks shared between copies until one of them changes.
#include <gtest/gtest.h>

#include <string>

#include "LightXmlNamePool.h"
#include "LightXmlTestSupport.h"
#include "LightXmlText.h"

namespace {

class LightXmlSharedStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    original_.SetAttributeValue("a", "1");
    original_.SetAttributeValue("b", "two");
  }

  MOKLightXmlElement original_{"e"};
};

// Tests that changing, removing or adding attributes of a copy or of an element sharing the
// block leaves the original and the references it handed out alone.
TEST_F(LightXmlSharedStorageTest, ChangesSplitSharedAttributes) {
  const MOKUnicodeString& before = original_.GetAttributeValue("a");
  MOKLightXmlElement copy(original_), removed(original_), other("o");
  other.ShareAttributesOf(original_);
  EXPECT_TRUE(other.HasSameAttributeNames(original_));
  copy.SetAttributeValue("a", "a much longer value than before");
  EXPECT_EQ(removed.RemoveAttribute("a"), 1);
  other.SetAttributeValue("b", "changed");
  other.SetAttributeValue("c", "3");
  EXPECT_FALSE(other.HasSameAttributeNames(original_));
  EXPECT_STREQ(before, "1");
  EXPECT_EQ(Render(original_), "e(a=1,b=two)");
  EXPECT_EQ(Render(copy), "e(a=a much longer value than before,b=two)");
  EXPECT_EQ(Render(removed), "e(b=two)");
  EXPECT_EQ(Render(other), "o(a=1,b=changed,c=3)");
}

// Tests that values are replaced in place, shorter then longer, also by a value read from the
// element itself while the block grows, and that raw bytes match the string, NUL included.
TEST_F(LightXmlSharedStorageTest, ValuesAreReplacedInPlace) {
  original_.SetAttributeValue("a", "");
  original_.SetAttributeValue("a", "0123456789abcdef0123456789");
  EXPECT_EQ(Render(original_), "e(a=0123456789abcdef0123456789,b=two)");
  original_.SetAttributeValue("a", original_.GetAttributeValue("b"));
  for (int i = 0; i < 20; ++i)
    original_.SetAttributeValue(("n" + std::to_string(i)).c_str(), original_.GetAttributeValue("b"));
  original_.SetAttributeValue("z", MOKUnicodeString("x\0y", 3));
  std::size_t length = 0;
  const char* bytes = original_.GetAttributeTextAt(22, &length);
  EXPECT_EQ(std::string(bytes, length) + original_.GetAttributeValueAt(22).GetText(),
            std::string("x\0yx\0y", 6));
  EXPECT_EQ(original_.GetAttributeNameAt(21).GetText() + original_.GetAttributeValueAt(21).GetText() +
                original_.GetAttributeValueAt(0).GetText(), "n19twotwo");
}

// Tests that equal names are one shared name that outlives the element that brought it in,
// and that an empty text is no name at all.
TEST_F(LightXmlSharedStorageTest, EqualNamesAreShared) {
  MOKLightXmlElement second{"e"};
  second.SetAttributeValue("b", "x");
  EXPECT_EQ(&second.GetName(), &original_.GetName());
  EXPECT_EQ(second.GetAttributeSharedNameAt(0), original_.GetAttributeSharedNameAt(1));
  EXPECT_EQ(LightXmlNamePool::Acquire("", 0), nullptr);
  auto* first = new MOKLightXmlElement(MOKUnicodeString("OnlyHereAtFirst"));
  MOKLightXmlElement copy(*first);
  delete first;
  EXPECT_EQ(copy.GetName().GetText(), "OnlyHereAtFirst");
}

// Tests the escaping of plain runs around every kind of special byte.
TEST_F(LightXmlSharedStorageTest, EscapesAroundPlainRuns) {
  const std::string text("plain&<>\"\t\n\r\x01\0\xC3\xA9\xFF" "end", 20);
  std::string content, attribute;
  AppendEscaped(content, text.data(), text.size(), false);
  AppendEscaped(attribute, text.data(), text.size(), true);
  const std::string tail = "&#13;\xEF\xBF\xBD\xEF\xBF\xBD\xC3\xA9\xEF\xBF\xBD" "end";
  EXPECT_EQ(content, "plain&amp;&lt;&gt;\"\t\n" + tail);
  EXPECT_EQ(attribute, "plain&amp;&lt;&gt;&quot;&#9;&#10;" + tail);
}

}  // namespace
