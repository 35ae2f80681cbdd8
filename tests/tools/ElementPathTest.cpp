#include "ElementPath.h"
#include "NumericText.h"

#include <gtest/gtest.h>

namespace {

class ElementPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _Root.SetName("Scene");
    for (const char* name : {"Light", "Object", "Light", "Object", "Object"}) {
      MOKLightXmlElement child(name);
      child.SetAttributeValue("X", "1.5");
      child.SetAttributeValue("Name", name);
      _Root.AddChild(child);
    }
  }
  MOKLightXmlElement _Root;
};

// Tests that the position counts only siblings of the same name.
TEST_F(ElementPathTest, PositionCountsNamesakesOnly) {
  EXPECT_EQ(PositionAmongNamesakes(&_Root, _Root.GetChildAt(0)), 1u);
  EXPECT_EQ(PositionAmongNamesakes(&_Root, _Root.GetChildAt(2)), 2u);
  EXPECT_EQ(PositionAmongNamesakes(&_Root, _Root.GetChildAt(4)), 3u);
  EXPECT_EQ(ChildStep(&_Root, _Root.GetChildAt(3)), "Object[2]");
}

// Tests that the search gives the XPath of the first element so named.
TEST_F(ElementPathTest, FindsFirstElementByName) {
  MOKLightXmlElement error("VisuXMLError");
  _Root.GetChildAt(3)->AddChild(error);
  EXPECT_EQ(FindElementPath(_Root, "VisuXMLError"),
            "/Scene/Object[2]/VisuXMLError[1]");
  EXPECT_EQ(FindElementPath(_Root, "Scene"), "/Scene");
  EXPECT_EQ(FindElementPath(_Root, "Camera"), "");
}

// Tests that only attributes numeric everywhere in both trees are found.
TEST_F(ElementPathTest, NumericAttributesMustBeNumericEverywhere) {
  MOKLightXmlElement other("Scene");
  other.SetAttributeValue("Y", "2e-3");
  std::set<std::string> numeric = FindNumericAttributes(_Root, other);
  EXPECT_EQ(numeric, (std::set<std::string>{"X", "Y"}));
  other.SetAttributeValue("X", "wide");
  EXPECT_EQ(FindNumericAttributes(_Root, other), (std::set<std::string>{"Y"}));
}

// Tests that a number must fill the whole text.
TEST_F(ElementPathTest, WholeNumbersOnly) {
  double value = 0.0;
  EXPECT_TRUE(ReadWholeNumber("-0.125", value));
  EXPECT_DOUBLE_EQ(value, -0.125);
  EXPECT_FALSE(ReadWholeNumber("1.5cm", value));
  EXPECT_FALSE(ReadWholeNumber("", value));
  EXPECT_FALSE(ReadWholeNumber("true", value));
}

}  // namespace
