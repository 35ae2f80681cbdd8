#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "LightXmlTestSupport.h"
#include "MOKLightXmlElement.h"

namespace {

constexpr std::size_t kDepth = 1000000;

class MOKLightXmlDeepTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MOKLightXmlElement* node = &chain_;
    node->SetName("d");
    for (std::size_t i = 1; i < kDepth; ++i) {
      node = node->AppendNewChild();
      node->SetName("d");
    }
    node->SetValue("bottom");
  }

  // Depth of a chain and the text of its last element.
  static std::size_t DepthOf(const MOKLightXmlElement& root,
                             std::string& bottomText) {
    std::size_t depth = 1;
    const MOKLightXmlElement* node = &root;
    while (node->GetChildCount() == 1) {
      node = node->GetChildAt(0);
      ++depth;
    }
    bottomText = node->GetValue().GetText();
    return depth;
  }

  MOKLightXmlElement chain_;
};

// Tests that a chain nested a million deep is copied, written, read back
// and destroyed without overflowing the stack.
TEST_F(MOKLightXmlDeepTreeTest, MillionDeepChainSurvivesEveryOperation) {
  std::string bottom;
  {
    MOKLightXmlElement copy(chain_);
    EXPECT_EQ(DepthOf(copy, bottom), kDepth);
  }
  // In memory: syncing a few hundred megabytes to disk would only measure
  // the disk.
  const std::string text = WriteText(chain_);
  ASSERT_FALSE(text.empty());
  MOKLightXmlElement reread;
  ASSERT_EQ(ParseText(text, reread, 1 << 20), 1);
  EXPECT_EQ(DepthOf(reread, bottom), kDepth);
  EXPECT_EQ(bottom, "bottom");
}

}  // namespace
