// The comparison of elements that carry the same attribute names in the
// same order shares the output's attributes with the result element.
#include <gtest/gtest.h>

#include <string>

#include "MemoryStreams.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"

namespace {

class SharedResultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VisuXMLAttribute::CreateXMLAttribute("x", VisuXMLRealAttribute);
  }
  void TearDown() override { VisuXMLAttribute::DestroyAttributes(); }

  static MOKLightXmlElement Xml(const std::string& text) {
    MOKLightXmlElement root;
    EXPECT_TRUE(ParseText(text, root)) << text;
    return root;
  }

  MOKLightXmlElement result_{MOKUnicodeString("R")};
};

// Tests that changing the result afterwards leaves the output tree as it
// was: a second comparison still finds the two documents equal.
TEST_F(SharedResultTest, ChangedResultLeavesOutputAlone) {
  VisuXMLFile reference(Xml("<e x='1.0' t='a'/>"));
  VisuXMLFile output(Xml("<e x='1.00' t='a'/>"));
  ASSERT_EQ(reference.Compare(&output, result_), 1);
  MOKLightXmlElement* copy = result_.GetChildAt(0);
  EXPECT_STREQ(copy->GetAttributeValue("x"), "1.00");
  copy->SetAttributeValue("t", "changed");
  MOKLightXmlElement again{MOKUnicodeString("R")};
  EXPECT_EQ(reference.Compare(&output, again), 1);
  EXPECT_STREQ(again.GetChildAt(0)->GetAttributeValue("t"), "a");
}

// Tests that aligned attributes report each value change with both values.
TEST_F(SharedResultTest, AlignedValueChangesAreReported) {
  VisuXMLFile reference(Xml("<e x='1' t='a' u='b'/>"));
  VisuXMLFile output(Xml("<e x='2' t='a' u='c'/>"));
  EXPECT_EQ(reference.Compare(&output, result_), 0);
  const MOKLightXmlElement& pair = *result_.GetChildAt(0);
  ASSERT_EQ(pair.GetChildCount(), 2u);
  EXPECT_STREQ(pair.GetChildAt(0)->GetValue(),
               "The attribute x value has changed from 1 to 2.");
  EXPECT_STREQ(pair.GetChildAt(1)->GetValue(),
               "The attribute u value has changed from b to c.");
  EXPECT_STREQ(pair.GetAttributeValue("u"), "c");
}

// Tests that the same names in another order are still paired by name,
// the result taking them in the reference's order.
TEST_F(SharedResultTest, ReorderedNamesArePairedByName) {
  VisuXMLFile reference(Xml("<e a='1' b='2'/>"));
  VisuXMLFile output(Xml("<e b='2' a='1'/>"));
  EXPECT_EQ(reference.Compare(&output, result_), 1);
  const MOKLightXmlElement& pair = *result_.GetChildAt(0);
  EXPECT_EQ(pair.GetAttributeNameAt(0).GetText(), "a");
  EXPECT_EQ(pair.GetAttributeNameAt(1).GetText(), "b");
}

}  // namespace
