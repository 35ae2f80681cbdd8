#include <gtest/gtest.h>

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

// Tests that a copy is deep and changes alone: attributes set in place, missing ones read as
// empty or the default, removal of only the named attribute and of actual children.
TEST_F(MOKLightXmlElementTest, CopyIsDeepAndIndependent) {
  MOKLightXmlElement copy(element_);
  copy.SetAttributeValue("a", "x");
  copy.SetAttributeValue("c", "3");
  EXPECT_EQ(copy.RemoveAttribute("c"), 1);
  EXPECT_EQ(copy.RemoveAttribute("c"), 0);
  EXPECT_STREQ(copy.GetAttributeValue("none"), "");
  EXPECT_STREQ(copy.GetAttributeValue("none", "dflt"), "dflt");
  EXPECT_STREQ(copy.GetAttributeValue("b", "dflt"), "2");
  copy.GetChildAt(0)->GetChildAt(0)->SetValue("deep");
  EXPECT_EQ(copy.RemoveChild(element_.GetChildAt(1)), 0);
  EXPECT_EQ(copy.RemoveChild(copy.GetChildAt(1)), 1);
  EXPECT_EQ(Render(copy), "Scene(a=x,b=2)'text'{Child{Grandchild'deep'}}");
  EXPECT_EQ(Render(element_), kTree);
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

}  // namespace
