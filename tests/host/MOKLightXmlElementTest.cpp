#include <gtest/gtest.h>

#include <utility>

#include "LightXmlTestSupport.h"

namespace {

class MOKLightXmlElementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    element_.SetValue("text");
    element_.SetAttributeValue("a", "1");
    element_.SetAttributeValue("b", "2");
    MOKLightXmlElement child("Child");
    child.AddChild(MOKLightXmlElement("Grandchild"));
    element_.AddChild(child);
    child.SetName("Changed");
    element_.AddChild(MOKLightXmlElement("Second"));
  }

  MOKLightXmlElement element_{"Scene"};
  const std::string kTree = "Scene(a=1,b=2)'text'{Child{Grandchild} Second}";
};

// Tests that the child cookie walks in insertion order and ends as null, and that a new and a
// reset element have nothing.
TEST_F(MOKLightXmlElementTest, CookiesWalkInOrderAndResetEmpties) {
  EXPECT_EQ(Render(element_), kTree);
  void* cookie = element_.GetChildren();
  element_.GetChild(cookie);
  EXPECT_STREQ(element_.GetChild(cookie)->GetName(), "Second");
  EXPECT_EQ(element_.GetChild(cookie), nullptr);
  EXPECT_EQ(cookie, nullptr);
  element_.Reset();
  MOKLightXmlElement fresh;
  for (MOKLightXmlElement* e : {&element_, &fresh}) {
    EXPECT_EQ(Render(*e), "");
    EXPECT_TRUE(e->GetAttributes() == nullptr && e->GetChildren() == nullptr);
  }
}

// Tests that setting an attribute keeps its place, that missing ones read as empty or the
// default, and that removal takes only the named one.
TEST_F(MOKLightXmlElementTest, AttributesKeepPlaceAndDefaults) {
  element_.SetAttributeValue("a", "changed");
  EXPECT_STREQ(element_.GetAttributeValue("none"), "");
  EXPECT_STREQ(element_.GetAttributeValue("none", "dflt"), "dflt");
  EXPECT_STREQ(element_.GetAttributeValue("b", "dflt"), "2");
  EXPECT_EQ(element_.RemoveAttribute("b"), 1);
  EXPECT_EQ(element_.RemoveAttribute("b"), 0);
  EXPECT_EQ(Render(element_), "Scene(a=changed)'text'{Child{Grandchild} Second}");
}

// Tests that copies are deep and independent, and that only actual children are removed.
TEST_F(MOKLightXmlElementTest, CopyIsDeepAndIndependent) {
  MOKLightXmlElement copy(element_);
  copy.GetChildAt(0)->GetChildAt(0)->SetValue("deep");
  copy.SetAttributeValue("a", "x");
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
