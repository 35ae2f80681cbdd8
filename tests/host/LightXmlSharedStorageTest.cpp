// The element's shared storage: names held once per process, attribute
// blocks shared between copies until one of them changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LightXmlNameCache.h"
#include "LightXmlNamePool.h"
#include "LightXmlTestSupport.h"

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

// Tests that a name outlives the element that brought it into the process.
TEST_F(LightXmlSharedStorageTest, NamesOutliveTheirFirstElement) {
  auto* first = new MOKLightXmlElement(MOKUnicodeString("OnlyHereAtFirst"));
  MOKLightXmlElement copy(*first);
  delete first;
  EXPECT_EQ(copy.GetName().GetText(), "OnlyHereAtFirst");
}

// Tests that far more names than the reader's cache has slots, asked twice over, always give
// the shared name of exactly that text.
TEST(LightXmlNameCacheTest, CollidingNamesKeepTheirText) {
  LightXmlNameCache cache;
  std::vector<LightXmlName*> held;
  for (int i = 0; i < 2000; ++i) {
    const std::string text = "n" + std::to_string(i % 1000);
    held.push_back(cache.Acquire(text.data(), text.size()));
    EXPECT_EQ(held.back()->text.GetText(), text);
    EXPECT_EQ(held.back(), held[static_cast<std::size_t>(i % 1000)]);
  }
  for (LightXmlName* name : held) LightXmlNamePool::Release(name);
}

}  // namespace
