// The reader's per-document memory of names.
#include "LightXmlNameCache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class LightXmlNameCacheTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (LightXmlName* name : held_) LightXmlNamePool::Release(name);
  }

  LightXmlName* Acquire(const std::string& text) {
    held_.push_back(cache_.Acquire(text.data(), text.size()));
    return held_.back();
  }

  LightXmlNameCache cache_;
  std::vector<LightXmlName*> held_;
};

// Tests that far more names than the cache has slots, asked twice over,
// always give the shared name of exactly that text.
TEST_F(LightXmlNameCacheTest, CollidingNamesKeepTheirText) {
  std::vector<LightXmlName*> first;
  for (int i = 0; i < 1000; ++i)
    first.push_back(Acquire("n" + std::to_string(i)));
  for (int i = 0; i < 1000; ++i) {
    LightXmlName* again = Acquire("n" + std::to_string(i));
    EXPECT_EQ(again, first[static_cast<std::size_t>(i)]);
    EXPECT_EQ(again->text.GetText(), "n" + std::to_string(i));
  }
}

// Tests that the cache and the process-wide pool give the same name.
TEST_F(LightXmlNameCacheTest, AgreesWithThePool) {
  LightXmlName* cached = Acquire("Transform");
  LightXmlName* pooled = LightXmlNamePool::Acquire("Transform", 9);
  held_.push_back(pooled);
  EXPECT_EQ(cached, pooled);
  EXPECT_EQ(Acquire(""), nullptr);
}

}  // namespace
