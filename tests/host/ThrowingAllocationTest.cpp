#include <gtest/gtest.h>

#include <dlfcn.h>

#include <memory>
#include <new>
#include <string>

#include "LightXmlTestSupport.h"

// The throwing operator new of this program can be made to fail once: the
// element's own allocations throw std::bad_alloc, and every operation must
// leave the element whole (no empty child slot, nothing leaked). Disarmed,
// it forwards to the allocator it replaces (the sanitizer's, under the
// sanitizers), so that every new still pairs with its delete.
namespace {

using NewFunction = void* (*)(std::size_t);

std::size_t gThrowAt = 0;
std::size_t gCount = 0;
bool gThrown = false;

void* Allocate(std::size_t size, const char* symbol) {
  if (gThrowAt != 0 && ++gCount == gThrowAt) {
    gThrowAt = 0;
    gThrown = true;
    throw std::bad_alloc();
  }
  static const NewFunction plain =
      reinterpret_cast<NewFunction>(::dlsym(RTLD_NEXT, "_Znwm"));
  static const NewFunction array =
      reinterpret_cast<NewFunction>(::dlsym(RTLD_NEXT, "_Znam"));
  return (symbol[3] == 'w' ? plain : array)(size);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size, "_Znwm"); }
void* operator new[](std::size_t size) { return Allocate(size, "_Znam"); }

namespace {

class ThrowingAllocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ParseText("<Scene a='1' b='2'>text<Child c='3'><Leaf/></Child></Scene>", base_), 1);
    ASSERT_EQ(ParseText("<Added d='4'><Inner>x</Inner></Added>", child_), 1);
  }

  // Runs the step with its first, second, ... allocation throwing until a
  // run needs no more; each run starts from a fresh copy of the base tree.
  // check gets the element and whether the step threw.
  template <typename Step, typename Check>
  void Sweep(Step step, Check check) {
    std::size_t failAt = 1;
    for (; failAt < 1000; ++failAt) {
      MOKLightXmlElement element(base_);
      bool threw = false;
      gCount = 0;
      gThrown = false;
      gThrowAt = failAt;
      try {
        step(element);
      } catch (const std::bad_alloc&) {
        threw = true;
      }
      gThrowAt = 0;
      EXPECT_EQ(threw, gThrown) << "allocation " << failAt;
      check(element, threw);
      if (!threw) break;
    }
    EXPECT_GT(failAt, 1u) << "the step allocated nothing";
  }

  // The element is the base tree when the step threw, the changed one else.
  auto Expect(const std::string& changed) {
    const std::string unchanged = Render(base_);
    return [unchanged, changed](const MOKLightXmlElement& element, bool threw) {
      EXPECT_EQ(Render(element), threw ? unchanged : changed);
    };
  }

  MOKLightXmlElement base_;
  MOKLightXmlElement child_;
  const std::string kBase = "Scene(a=1,b=2)'text'{Child(c=3){Leaf}";
};

// Tests that adding a copied child either adds all of it or nothing.
TEST_F(ThrowingAllocationTest, AddChildCopyIsAllOrNothing) {
  Sweep([this](MOKLightXmlElement& e) { e.AddChild(child_); },
        Expect(kBase + " Added(d=4){Inner'x'}}"));
}

// Tests that a moved child whose adding fails stays with its caller.
TEST_F(ThrowingAllocationTest, AddChildMoveKeepsTheChildOnFailure) {
  const std::string whole = Render(child_);
  MOKLightXmlElement moved;
  bool copied = false;
  Sweep(
      [&](MOKLightXmlElement& e) {
        copied = false;
        moved = child_;
        copied = true;
        e.AddChild(std::move(moved));
      },
      [&](const MOKLightXmlElement& e, bool threw) {
        Expect(kBase + " " + whole + "}")(e, threw);
        if (threw && copied) {
          EXPECT_EQ(Render(moved), whole);
        }
      });
}

// Tests that a new empty child is appended only when it was made.
TEST_F(ThrowingAllocationTest, AppendNewChildIsAllOrNothing) {
  Sweep([](MOKLightXmlElement& e) { e.AppendNewChild()->SetName("New"); },
        [this](const MOKLightXmlElement& e, bool threw) {
          if (!threw) {
            EXPECT_EQ(Render(e), kBase + " New}");
          } else {
            ASSERT_GE(e.GetChildCount(), 1u);
            EXPECT_LE(e.GetChildCount(), 2u);
            EXPECT_NE(e.GetChildAt(e.GetChildCount() - 1), nullptr);
          }
        });
}

// Tests that a failed deep copy or copy assignment leaves no partial tree.
TEST_F(ThrowingAllocationTest, CopiesAreAllOrNothing) {
  Sweep([this](MOKLightXmlElement& e) { e = child_; }, Expect(Render(child_)));
  Sweep(
      [this](MOKLightXmlElement& e) {
        auto copy = std::make_unique<MOKLightXmlElement>(child_);
        e.AddChild(std::move(*copy));
      },
      Expect(kBase + " Added(d=4){Inner'x'}}"));
}

// Tests that attributes, names and texts change wholly or not at all, a
// shared attribute block and a name new to the process included (attribute
// blocks themselves come from malloc, out of this hook's reach).
TEST_F(ThrowingAllocationTest, ElementChangesAreAllOrNothing) {
  Sweep([](MOKLightXmlElement& e) { e.SetAttributeValue("a", "a value too long to stay small"); },
        Expect("Scene(a=a value too long to stay small,b=2)'text'{Child(c=3){Leaf}}"));
  Sweep([](MOKLightXmlElement& e) { e.SetAttributeValue("NameNeverSeenBefore", "v"); },
        Expect("Scene(a=1,b=2,NameNeverSeenBefore=v)'text'{Child(c=3){Leaf}}"));
  Sweep([](MOKLightXmlElement& e) { e.SetName("AnotherNameNeverSeen"); },
        Expect("AnotherNameNeverSeen(a=1,b=2)'text'{Child(c=3){Leaf}}"));
  Sweep([](MOKLightXmlElement& e) { e.GetChildAt(0)->SetValue("a text"); },
        Expect("Scene(a=1,b=2)'text'{Child(c=3)'a text'{Leaf}}"));
}

}  // namespace
