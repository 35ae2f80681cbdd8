#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LightXmlArena.h"
#include "LightXmlNameCache.h"
#include "LightXmlNamePool.h"
#include "LightXmlTestSupport.h"

namespace {

class MOKLightXmlElementTest : public ::testing::Test {
 protected:
  // The copy AddChild keeps must not follow later changes of its argument.
  void SetUp() override {
    ASSERT_EQ(ParseText("<Scene a='1' b='2'>text<Child><Grandchild/></Child></Scene>", element_), 1);
    MOKLightXmlElement second("Second");
    element_.AddChild(second);
    second.SetName("Changed");
  }

  MOKLightXmlElement element_;
  const std::string kTree = "Scene(a=1,b=2)'text'{Child{Grandchild} Second}";
};

// Tests that the child cookie walks in insertion order and ends as null, and that a new and a
// reset element have nothing.
TEST_F(MOKLightXmlElementTest, CookiesWalkInOrderAndResetEmpties) {
  EXPECT_EQ(Render(element_), kTree);
  void* cookie = element_.GetChildren();
  while (element_.GetChild(cookie) != nullptr) continue;
  EXPECT_EQ(cookie, nullptr);
  element_.Reset();
  MOKLightXmlElement fresh;
  for (MOKLightXmlElement* e : {&element_, &fresh})
    EXPECT_TRUE(Render(*e).empty() && !e->GetAttributes() && !e->GetChildren());
}

// Tests that a copy is deep and changes alone: attributes set in place (growing the block it
// shared), missing ones read as empty or the default, removal of only the named attribute and
// of actual children; references the original handed out stay valid.
TEST_F(MOKLightXmlElementTest, CopyIsDeepAndIndependent) {
  const MOKUnicodeString& before = element_.GetAttributeValue("a");
  MOKLightXmlElement copy(element_);
  copy.SetAttributeValue("a", "a value much longer than before");
  copy.SetAttributeValue("c", "3");
  EXPECT_EQ(copy.RemoveAttribute("c"), 1);
  EXPECT_EQ(copy.RemoveAttribute("c"), 0);
  EXPECT_STREQ(copy.GetAttributeValue("none"), "");
  EXPECT_STREQ(copy.GetAttributeValue("none", "dflt"), "dflt");
  EXPECT_STREQ(copy.GetAttributeValue("b", "dflt"), "2");
  copy.GetChildAt(0)->GetChildAt(0)->SetValue("deep");
  EXPECT_EQ(copy.RemoveChild(element_.GetChildAt(1)), 0);
  EXPECT_EQ(copy.RemoveChild(copy.GetChildAt(1)), 1);
  EXPECT_EQ(Render(copy), "Scene(a=a value much longer than before,b=2)'text'{Child{Grandchild'deep'}}");
  EXPECT_EQ(Render(element_), kTree);
  EXPECT_STREQ(before, "1");
}

// Tests that removing, changing or adding attributes of elements sharing the original's block
// leaves the original alone.
TEST_F(MOKLightXmlElementTest, SharedAttributesSplitOnChange) {
  MOKLightXmlElement removed(element_), other("o");
  other.ShareAttributesOf(element_);
  EXPECT_TRUE(other.HasSameAttributeNames(element_));
  EXPECT_EQ(removed.RemoveAttribute("a"), 1);
  other.SetAttributeValue("b", "changed");
  other.SetAttributeValue("c", "3");
  EXPECT_FALSE(other.HasSameAttributeNames(element_));
  EXPECT_EQ(Render(other) + Render(removed).substr(0, 10), "o(a=1,b=changed,c=3)Scene(b=2)");
  EXPECT_EQ(Render(element_), kTree);
}

// Tests that values are replaced in place, also by a value read from the element itself while
// the block grows, and that raw bytes match the string, NUL included.
TEST_F(MOKLightXmlElementTest, ValuesAreReplacedInPlace) {
  element_.SetAttributeValue("a", "");
  element_.SetAttributeValue("a", "0123456789abcdef0123456789");
  for (int i = 0; i < 20; ++i)
    element_.SetAttributeValue(("n" + std::to_string(i)).c_str(), element_.GetAttributeValue("a"));
  element_.SetAttributeValue("b", MOKUnicodeString("x\0y", 3));
  std::size_t length = 0;
  const char* bytes = element_.GetAttributeTextAt(1, &length);
  EXPECT_EQ(std::string(bytes, length) + element_.GetAttributeValueAt(1).GetText(), std::string("x\0yx\0y", 6));
  EXPECT_EQ(element_.GetAttributeNameAt(21).GetText() + element_.GetAttributeValueAt(21).GetText(),
            "n190123456789abcdef0123456789");
}

// Tests that the moving AddChild takes the subtree and empties the argument, and that an
// element can be assigned one of its own descendants.
TEST_F(MOKLightXmlElementTest, MovesTakeSubtrees) {
  MOKLightXmlElement parent("Parent");
  parent.AddChild(std::move(element_));
  EXPECT_EQ(Render(element_), "");
  EXPECT_EQ(Render(parent), "Parent{" + kTree + "}");
  parent = std::move(*parent.GetChildAt(0)->GetChildAt(0));
  EXPECT_EQ(Render(parent), "Child{Grandchild}");
  EXPECT_EQ(parent.Assign(*parent.GetChildAt(0)), 1);
  EXPECT_EQ(Render(parent), "Grandchild");
}

// Tests that a name outlives the element that brought it into the process.
TEST(LightXmlNamePoolTest, NamesOutliveTheirFirstElement) {
  auto* first = new MOKLightXmlElement(MOKUnicodeString("OnlyHereAtFirst"));
  MOKLightXmlElement copy(*first);
  delete first;
  EXPECT_EQ(copy.GetName().GetText(), "OnlyHereAtFirst");
}

// Tests that what is taken out of a read tree (a subtree moved out, an attribute block shared,
// a child added to a node of the tree) outlives the tree, whose memory goes at once.
TEST(LightXmlArenaTest, PartsOfAReadTreeOutliveIt) {
  auto* read = new MOKLightXmlElement();
  ASSERT_EQ(ParseText("<R><A x='1' y='2'><B z='3'/><C/></A><D w='4'/></R>", *read), 1);
  MOKLightXmlElement moved(std::move(*read->GetChildAt(0)));
  MOKLightXmlElement sharing("S");
  sharing.ShareAttributesOf(*read->GetChildAt(1));
  read->GetChildAt(1)->AddChild(MOKLightXmlElement("Added"));
  MOKLightXmlElement kept(*read->GetChildAt(1));
  delete read;
  moved.AppendNewChild()->SetName("E");
  EXPECT_EQ(Render(moved) + Render(sharing) + Render(kept), "A(x=1,y=2){B(z=3) C E}S(w=4)D(w=4){Added}");
}

// Tests that attributes keep their names while other names come and go, so that the index a
// freed name gives back serves a new name without disturbing the names still held.
TEST(LightXmlNamePoolTest, IndexesOfFreedNamesServeNewNames) {
  MOKLightXmlElement kept("k");
  for (int round = 0; round < 3; ++round) {
    {
      MOKLightXmlElement passing("p");
      for (int i = 0; i < 50; ++i) passing.SetAttributeValue(("gone" + std::to_string(round * 50 + i)).c_str(), "x");
    }
    kept.SetAttributeValue(("kept" + std::to_string(round)).c_str(), std::to_string(round).c_str());
  }
  EXPECT_EQ(Render(kept), "k(kept0=0,kept1=1,kept2=2)");
}

// Tests that far more names than the reader's cache has slots, asked twice over (from two
// addresses each), always give the shared name of exactly that text, kept by the arena.
TEST(LightXmlNameCacheTest, CollidingNamesKeepTheirText) {
  LightXmlArena* arena = LightXmlArena::Create(0);
  LightXmlNameCache cache;
  std::vector<LightXmlName*> lent;
  for (int i = 0; i < 2000; ++i) {
    const std::string text = "n" + std::to_string(i % 1000);
    lent.push_back(cache.Lend(text.c_str(), *arena));
    EXPECT_EQ(lent.back()->text.GetText(), text);
    EXPECT_EQ(lent.back(), lent[static_cast<std::size_t>(i % 1000)]);
  }
  arena->Release();
}

}  // namespace
