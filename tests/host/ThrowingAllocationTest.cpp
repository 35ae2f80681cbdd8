#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>

#include "AllocationFailure.h"
#include "LightXmlTestSupport.h"

// The element's own allocations throw std::bad_alloc, one at a time: every
// operation must leave the element whole (no empty child slot, nothing
// leaked).
namespace {

using Step = std::function<void(MOKLightXmlElement&)>;

class ThrowingAllocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(
        ParseText("<Scene a='1' b='2'>text<Child c='3'><Leaf/></Child></Scene>",
                  base_),
        1);
    ASSERT_EQ(ParseText("<Added d='4'><Inner>x</Inner></Added>", child_), 1);
  }

  // Runs the step with its first, second, ... allocation throwing until a
  // run needs no more, each on a fresh copy of the base tree: unchanged
  // when the step threw, changed else.
  void Sweep(const Step& step, const std::string& changed) {
    const std::size_t runs = ForEachFailingAllocation([&](std::size_t n) {
      MOKLightXmlElement element(base_);
      bool threw = false;
      try {
        ScopedAllocationFailure failure(n, AllocationFailure::kEvery);
        step(element);
      } catch (const std::bad_alloc&) {
        threw = true;
      }
      EXPECT_EQ(threw, AllocationFailure::Fired()) << "allocation " << n;
      EXPECT_EQ(Render(element), threw ? Render(base_) : changed)
          << "allocation " << n;
      for (std::size_t i = 0; i < element.GetChildCount(); ++i)
        EXPECT_NE(element.GetChildAt(i), nullptr);
    });
    EXPECT_GT(runs, 1u) << "the step allocated nothing";
  }

  MOKLightXmlElement base_;
  MOKLightXmlElement child_;
};

// Tests that adding children (copied, moved, new), copies, attributes, names
// (new to the process included) and texts change wholly or not at all, and that
// a moved child whose adding fails stays with its caller (attribute blocks come
// from malloc, out of this hook's reach).
TEST_F(ThrowingAllocationTest, ChangesAreAllOrNothing) {
  const std::string added =
      "Scene(a=1,b=2)'text'{Child(c=3){Leaf} Added(d=4){Inner'x'}}";
  const Step move = [this](MOKLightXmlElement& e) {
    MOKLightXmlElement moved(child_);
    try {
      e.AddChild(std::move(moved));
    } catch (const std::bad_alloc&) {
      EXPECT_EQ(Render(moved), Render(child_));
      throw;
    }
  };
  const std::pair<Step, std::string> kSteps[] = {
      {[this](MOKLightXmlElement& e) { e.AddChild(child_); }, added},
      {move, added},
      {[this](MOKLightXmlElement& e) {
         e.AddChild(MOKLightXmlElement(child_));
       },
       added},
      {[](MOKLightXmlElement& e) { e.AppendNewChild(); },
       "Scene(a=1,b=2)'text'{Child(c=3){Leaf} }"},
      {[this](MOKLightXmlElement& e) { e = child_; }, "Added(d=4){Inner'x'}"},
      {[](MOKLightXmlElement& e) {
         e.SetAttributeValue("a", "a value too long to stay small");
       },
       "Scene(a=a value too long to stay small,b=2)'text'{Child(c=3){Leaf}}"},
      {[](MOKLightXmlElement& e) {
         e.SetAttributeValue("NameNeverSeenBefore", "v");
       },
       "Scene(a=1,b=2,NameNeverSeenBefore=v)'text'{Child(c=3){Leaf}}"},
      {[](MOKLightXmlElement& e) { e.SetName("AnotherNameNeverSeen"); },
       "AnotherNameNeverSeen(a=1,b=2)'text'{Child(c=3){Leaf}}"},
      {[](MOKLightXmlElement& e) { e.GetChildAt(0)->SetValue("a text"); },
       "Scene(a=1,b=2)'text'{Child(c=3)'a text'{Leaf}}"}};
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.second);
    Sweep(step.first, step.second);
  }
}

}  // namespace
