#include <gtest/gtest.h>

#include <string>

#include "MemoryStreams.h"

namespace {

class MOKLightXmlElementTest : public ::testing::Test {
 protected:
  // The copy AddChild keeps must not follow later changes of its argument.
  void SetUp() override {
    ASSERT_TRUE(
        ParseText("<Scene a='1' b='2'>text<Child><Grandchild/></Child></Scene>",
                  element_));
    MOKLightXmlElement second("Second");
    element_.AddChild(second);
    second.SetName("Changed");
  }

  MOKLightXmlElement element_;
  const std::string kTree =
      "Scene(a=1, b=2) \"text\" [Child [Grandchild] | Second]";
};

// Tests that the child cookie walks in insertion order and ends as null,
// and that a new and a reset element have nothing.
TEST_F(MOKLightXmlElementTest, CookiesWalkInOrderAndResetEmpties) {
  EXPECT_EQ(Describe(element_), kTree);
  void* cookie = element_.GetChildren();
  while (element_.GetChild(cookie) != nullptr) continue;
  EXPECT_EQ(cookie, nullptr);
  element_.Reset();
  MOKLightXmlElement fresh;
  for (MOKLightXmlElement* e : {&element_, &fresh})
    EXPECT_TRUE(Describe(*e).empty() && !e->GetAttributes() &&
                !e->GetChildren());
}

// Tests that a copy, and an element sharing the attributes, change alone:
// values set in place (also from a value of the element itself while it
// grows, and with a NUL byte), missing ones read as empty or the default,
// removal of only the named attribute and of actual children; references
// the original handed out stay valid.
TEST_F(MOKLightXmlElementTest, CopiesAndSharersChangeAlone) {
  const MOKUnicodeString& before = element_.GetAttributeValue("a");
  MOKLightXmlElement copy(element_), sharing("S");
  sharing.ShareAttributesOf(element_);
  sharing.SetAttributeValue("a", "0123456789abcdef0123456789");
  for (int i = 0; i < 20; ++i)
    sharing.SetAttributeValue(("n" + std::to_string(i)).c_str(),
                              sharing.GetAttributeValue("a"));
  sharing.SetAttributeValue("b", MOKUnicodeString("x\0y", 3));
  std::size_t length = 0;
  const char* bytes = sharing.GetAttributeTextAt(1, &length);
  EXPECT_EQ(
      std::string(bytes, length) + sharing.GetAttributeValueAt(21).GetText(),
      std::string("x\0y0123456789abcdef0123456789", 29));
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
  EXPECT_EQ(Describe(copy),
            "Scene(a=a value much longer than before, b=2) \"text\" "
            "[Child [Grandchild \"deep\"]]");
  EXPECT_EQ(Describe(element_), kTree);
  EXPECT_STREQ(before, "1");
}

// Tests that the moving AddChild takes the subtree and empties the
// argument, and that an element can be assigned one of its own descendants.
TEST_F(MOKLightXmlElementTest, MovesTakeSubtrees) {
  MOKLightXmlElement parent("Parent");
  parent.AddChild(std::move(element_));
  EXPECT_EQ(Describe(element_), "");
  EXPECT_EQ(Describe(parent), "Parent [" + kTree + "]");
  parent = std::move(*parent.GetChildAt(0)->GetChildAt(0));
  EXPECT_EQ(Describe(parent), "Child [Grandchild]");
  EXPECT_EQ(parent.Assign(*parent.GetChildAt(0)), 1);
  EXPECT_EQ(Describe(parent), "Grandchild");
}

// Tests that what is taken out of a read tree (a subtree moved out, an
// attribute block shared, a child added to a node of the tree, names seen
// only there) outlives the tree, whose memory goes at once.
TEST(LightXmlArenaTest, PartsOfAReadTreeOutliveIt) {
  auto* read = new MOKLightXmlElement();
  ASSERT_TRUE(
      ParseText("<R><A x='1' y='2'><B z='3'/><C/></A><D w='4'/></R>", *read));
  MOKLightXmlElement moved(std::move(*read->GetChildAt(0)));
  MOKLightXmlElement sharing("S");
  sharing.ShareAttributesOf(*read->GetChildAt(1));
  read->GetChildAt(1)->AddChild(MOKLightXmlElement("Added"));
  MOKLightXmlElement kept(*read->GetChildAt(1));
  delete read;
  moved.AppendNewChild()->SetName("E");
  EXPECT_EQ(Describe(moved) + Describe(sharing) + Describe(kept),
            "A(x=1, y=2) [B(z=3) | C | E]S(w=4)D(w=4) [Added]");
}

}  // namespace
