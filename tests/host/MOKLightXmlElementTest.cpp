#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MOKLightXmlElement.h"

namespace {

class MOKLightXmlElementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    element_.SetName("Scene");
    element_.SetValue("text");
    element_.SetAttributeValue("a", "1");
    element_.SetAttributeValue("b", "2");
    MOKLightXmlElement child("Child");
    child.AddChild(MOKLightXmlElement("Grandchild"));
    element_.AddChild(child);
    element_.AddChild(MOKLightXmlElement("Second"));
  }

  static std::vector<std::string> AttributeNames(const MOKLightXmlElement& e) {
    std::vector<std::string> names;
    void* cookie = e.GetAttributes();
    while (const MOKUnicodeString* name = e.GetAttributeName(cookie))
      names.push_back(name->GetText());
    return names;
  }

  static std::vector<std::string> ChildNames(const MOKLightXmlElement& e) {
    std::vector<std::string> names;
    void* cookie = e.GetChildren();
    while (MOKLightXmlElementItf* child = e.GetChild(cookie))
      names.push_back(child->GetName().GetText());
    return names;
  }

  MOKLightXmlElement element_;
};

// Tests that a new element has no name, text, attributes or children.
TEST_F(MOKLightXmlElementTest, NewElementIsEmpty) {
  MOKLightXmlElement empty;
  EXPECT_EQ(empty.GetName().GetLengthInByte(), 0);
  EXPECT_EQ(empty.GetValue().GetLengthInByte(), 0);
  EXPECT_EQ(empty.GetAttributes(), nullptr);
  EXPECT_EQ(empty.GetChildren(), nullptr);
}

// Tests that setting an existing attribute keeps its place in the order.
TEST_F(MOKLightXmlElementTest, SetAttributeValueKeepsPlace) {
  element_.SetAttributeValue("a", "changed");
  EXPECT_EQ(AttributeNames(element_), (std::vector<std::string>{"a", "b"}));
  EXPECT_STREQ(element_.GetAttributeValue("a"), "changed");
}

// Tests that the child cookie walks children in insertion order, then null.
TEST_F(MOKLightXmlElementTest, ChildCookieWalksInOrder) {
  EXPECT_EQ(ChildNames(element_),
            (std::vector<std::string>{"Child", "Second"}));
  void* cookie = element_.GetChildren();
  element_.GetChild(cookie);
  element_.GetChild(cookie);
  EXPECT_EQ(element_.GetChild(cookie), nullptr);
  EXPECT_EQ(cookie, nullptr);
}

// Tests that a missing attribute reads as empty or as the given default.
TEST_F(MOKLightXmlElementTest, MissingAttributeGivesEmptyOrDefault) {
  EXPECT_STREQ(element_.GetAttributeValue("none"), "");
  EXPECT_STREQ(element_.GetAttributeValue("none", "dflt"), "dflt");
  EXPECT_STREQ(element_.GetAttributeValue("b", "dflt"), "2");
}

// Tests that a copy is deep: changing the copy leaves the original alone.
TEST_F(MOKLightXmlElementTest, CopyIsDeepAndIndependent) {
  MOKLightXmlElement copy(element_);
  copy.GetChildAt(0)->SetName("Renamed");
  copy.GetChildAt(0)->GetChildAt(0)->SetValue("deep");
  copy.SetAttributeValue("a", "x");
  EXPECT_STREQ(element_.GetChildAt(0)->GetName(), "Child");
  EXPECT_STREQ(element_.GetChildAt(0)->GetChildAt(0)->GetValue(), "");
  EXPECT_STREQ(element_.GetAttributeValue("a"), "1");
}

// Tests that AddChild stores a copy, so the argument can go right after.
TEST_F(MOKLightXmlElementTest, AddChildStoresCopy) {
  {
    MOKLightXmlElement local("Local");
    local.SetValue("v");
    element_.AddChild(local);
    local.SetValue("changed");
  }
  EXPECT_STREQ(element_.GetChildAt(2)->GetValue(), "v");
}

// Tests that the moving AddChild takes the subtree and empties the argument.
TEST_F(MOKLightXmlElementTest, MovingAddChildTakesSubtree) {
  MOKLightXmlElement parent("Parent");
  parent.AddChild(std::move(element_));
  EXPECT_EQ(element_.GetChildCount(), 0u);
  EXPECT_EQ(element_.GetAttributeCount(), 0u);
  ASSERT_EQ(parent.GetChildCount(), 1u);
  EXPECT_EQ(ChildNames(*parent.GetChildAt(0)),
            (std::vector<std::string>{"Child", "Second"}));
}

// Tests that Reset empties everything.
TEST_F(MOKLightXmlElementTest, ResetEmptiesElement) {
  element_.Reset();
  EXPECT_EQ(element_.GetName().GetLengthInByte(), 0);
  EXPECT_EQ(element_.GetValue().GetLengthInByte(), 0);
  EXPECT_EQ(element_.GetAttributes(), nullptr);
  EXPECT_EQ(element_.GetChildren(), nullptr);
}

// Tests that assigning one of the element's own descendants works.
TEST_F(MOKLightXmlElementTest, AssignFromOwnDescendant) {
  element_ = std::move(*element_.GetChildAt(0));
  EXPECT_STREQ(element_.GetName(), "Child");
  EXPECT_EQ(ChildNames(element_), (std::vector<std::string>{"Grandchild"}));
  MOKLightXmlElement other(element_);
  EXPECT_EQ(other.Assign(*other.GetChildAt(0)), 1);
  EXPECT_STREQ(other.GetName(), "Grandchild");
}

// Tests that RemoveChild takes only actual children.
TEST_F(MOKLightXmlElementTest, RemoveChildRemovesOnlyChildren) {
  MOKLightXmlElement stranger("Stranger");
  EXPECT_EQ(element_.RemoveChild(&stranger), 0);
  EXPECT_EQ(element_.RemoveChild(element_.GetChildAt(0)), 1);
  EXPECT_EQ(ChildNames(element_), (std::vector<std::string>{"Second"}));
}

// Tests that RemoveAttribute removes only the named attribute.
TEST_F(MOKLightXmlElementTest, RemoveAttributeRemovesNamedOne) {
  EXPECT_EQ(element_.RemoveAttribute("a"), 1);
  EXPECT_EQ(element_.RemoveAttribute("a"), 0);
  EXPECT_EQ(AttributeNames(element_), (std::vector<std::string>{"b"}));
}

}  // namespace
