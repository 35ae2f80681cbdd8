#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "LightXmlTestSupport.h"
#include "MOKLightXmlElement.h"

namespace {

constexpr std::size_t kDepth = 1000000;

// Depth of a chain and the text of its last element, as "depth:text".
std::string Chain(const MOKLightXmlElement& root) {
  std::size_t depth = 1;
  const MOKLightXmlElement* node = &root;
  for (; node->GetChildCount() == 1; ++depth) node = node->GetChildAt(0);
  return std::to_string(depth) + ":" + node->GetValue().GetText();
}

// Tests that a chain nested a million deep is copied, written (in memory:
// syncing hundreds of megabytes would only measure the disk), read back and
// destroyed without overflowing the stack.
TEST(MOKLightXmlDeepTreeTest, MillionDeepChainSurvivesEveryOperation) {
  MOKLightXmlElement chain("d");
  MOKLightXmlElement* node = &chain;
  for (std::size_t i = 1; i < kDepth; ++i) (node = node->AppendNewChild())->SetName("d");
  node->SetValue("bottom");
  const std::string expected = std::to_string(kDepth) + ":bottom";
  EXPECT_EQ(Chain(MOKLightXmlElement(chain)), expected);
  MOKLightXmlElement reread;
  ASSERT_EQ(ParseText(WriteText(chain), reread, 1 << 20), 1);
  EXPECT_EQ(Chain(reread), expected);
}

}  // namespace
