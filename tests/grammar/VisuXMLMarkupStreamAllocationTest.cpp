#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "FailingAllocator.h"
#include "StreamTestSupport.h"
#include "VisuXMLMarkupTestAccess.h"

namespace {

using StreamTestSupport::Describe;
using StreamTestSupport::Tree;

const auto kAnyNumber = static_cast<VisuXMLMarkupToMarkupLink>(3);

// Outcome of one small dump: the result of every call and the tree.
struct DumpOutcome {
  std::vector<VisuXMLError> results;
  std::string tree;
  // Non-throwing allocations made before the outermost close.
  std::size_t allocationsBeforeLastClose = 0;
};

class VisuXMLMarkupStreamAllocationTest
    : public StreamTestSupport::StreamFixture {
 protected:
  // R (root, Id required) holds A (Size optional) then B, grouped with C.
  void DeclareGrammar() {
    Attribute("Id");
    Attribute("Size");
    Markup("R", VisuXMLRootMarkup);
    Markup("A");
    Markup("B");
    Markup("C");
    Attach("R", "Id", VisuXMLRequiredAttribute);
    Attach("A", "Size", VisuXMLOptionalAttribute);
    Sub("R", "A", VisuXMLOnlyOnce);
    Sub("R", "B", VisuXMLAtLeastOnce);
    Sub("R", "C", kAnyNumber);
    Sub("A", "C", kAnyNumber);
    Group("R", {"B", "C"}, kAnyNumber);
  }

  // A small dump touching every allocation of the stream, with the
  // failure hook possibly armed by the caller.
  static DumpOutcome RunDump() {
    DumpOutcome outcome;
    auto& r = outcome.results;
    r.push_back(Open("R"));
    r.push_back(Set("Id", "7"));
    r.push_back(Open("A"));
    r.push_back(Set("Size", "2"));
    r.push_back(Set("Size", "3"));
    r.push_back(Open("C"));
    r.push_back(Close("C"));
    r.push_back(Close("A"));
    r.push_back(Open("C"));
    r.push_back(Close("C"));
    r.push_back(Open("B"));
    r.push_back(Close("B"));
    r.push_back(Open("A"));
    r.push_back(Close("A"));
    outcome.allocationsBeforeLastClose = FailingAllocator::Count();
    r.push_back(Close("R"));
    outcome.tree = TakeTreeText();
    return outcome;
  }

  // Opens R and nests N inside it until the depth is reached.
  void OpenNested(std::uint32_t depth) {
    Markup("R", VisuXMLRootMarkup);
    Markup("N");
    Sub("R", "N", kAnyNumber);
    Sub("N", "N", kAnyNumber);
    ASSERT_EQ(0u, Open("R"));
    for (std::uint32_t level = 2; level <= depth; ++level) {
      ASSERT_EQ(0u, Open("N"));
    }
  }
};

// Tests that a stack array that cannot be allocated opens nothing.
TEST_F(VisuXMLMarkupStreamAllocationTest, StackArrayFailureOpensNothing) {
  DeclareGrammar();
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(3u, Open("R"));
    EXPECT_TRUE(FailingAllocator::Fired());
  }
  EXPECT_EQ(0u, VisuXMLMarkupTestAccess::HistoryDepth());
  EXPECT_EQ(0u, VisuXMLMarkupTestAccess::HistorySize());
  EXPECT_EQ(1u, Close("R"));
}

// Tests that an outermost entry or instance that cannot be allocated
// pushes nothing, and the stream works afterwards.
TEST_F(VisuXMLMarkupStreamAllocationTest, OutermostFailureOpensNothing) {
  DeclareGrammar();
  // 1 is the stack array, 2 the entry, 3 the instance, 4 and 5 its tables.
  for (std::size_t failAt : {2u, 3u, 4u, 5u}) {
    VisuXMLMarkup::ClearMarkupsHistory();
    {
      ScopedAllocationFailure failure(failAt);
      EXPECT_EQ(3u, Open("R")) << failAt;
      EXPECT_TRUE(FailingAllocator::Fired());
    }
    EXPECT_EQ(0u, VisuXMLMarkupTestAccess::HistoryDepth());
  }
  EXPECT_EQ(0u, Open("R"));
  Set("Id", "1");
  EXPECT_EQ(0u, Close("R"));
  EXPECT_NE(nullptr, TakeTree());
}

// Tests that a sub-markup that cannot be allocated is not pushed, while
// its parent has already been written.
TEST_F(VisuXMLMarkupStreamAllocationTest, SubMarkupFailureWritesParentOnly) {
  DeclareGrammar();
  Open("R");
  Set("Id", "1");
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(3u, Open("A"));
    EXPECT_TRUE(FailingAllocator::Fired());
  }
  EXPECT_EQ(1u, VisuXMLMarkupTestAccess::HistoryDepth());
  Set("Id", "2");
  EXPECT_EQ(1u, Close("A"));
  EXPECT_EQ("R(Id=1) [" +
                StreamTestSupport::Error("The XML markup to close A doesn't "
                                         "match the last opened markup R.") +
                " | " +
                StreamTestSupport::Error("The XML markup A must appear only "
                                         "once in the XML markup R.") +
                "]",
            TakeTreeText());
}

// Tests that a failed enlargement leaves the full stack as it was.
TEST_F(VisuXMLMarkupStreamAllocationTest, FailedEnlargementKeepsTheStack) {
  OpenNested(10);
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(3u, Open("N"));
    EXPECT_TRUE(FailingAllocator::Fired());
  }
  EXPECT_EQ(10u, VisuXMLMarkupTestAccess::HistoryDepth());
  EXPECT_EQ(10u, VisuXMLMarkupTestAccess::HistorySize());
  for (int level = 10; level >= 2; --level) EXPECT_EQ(0u, Close("N"));
  EXPECT_EQ(0u, Close("R"));
  std::string expected = "N";
  for (int level = 9; level >= 2; --level) expected = "N [" + expected + "]";
  EXPECT_EQ("R [" + expected + "]", TakeTreeText());
}

// Tests that a value whose holder cannot be allocated is not stored.
TEST_F(VisuXMLMarkupStreamAllocationTest, ValueFailureStoresNothing) {
  DeclareGrammar();
  Open("R");
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(3u, Set("Id", "1"));
    EXPECT_TRUE(FailingAllocator::Fired());
  }
  OpenClose("A");
  OpenClose("B");
  Close("R");
  EXPECT_EQ(
      "R(Id=???"
      ") [" +
          StreamTestSupport::Error("The XML attribute Id is required "
                                   "for the XML markup R.") +
          " | A | B]",
      TakeTreeText());
}

// Tests that a finished tree that cannot be allocated gives no tree.
TEST_F(VisuXMLMarkupStreamAllocationTest, TreeFailureGivesNoTree) {
  DeclareGrammar();
  Open("R");
  Set("Id", "1");
  OpenClose("A");
  OpenClose("B");
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(0u, Close("R"));
    EXPECT_TRUE(FailingAllocator::Fired());
  }
  EXPECT_EQ(nullptr, TakeTree());
  EXPECT_EQ(0u, VisuXMLMarkupTestAccess::HistoryDepth());
}

// Tests every allocation of a small dump failing in turn: each run either
// reports 3 somewhere or yields exactly the tree of an unhindered run.
TEST_F(VisuXMLMarkupStreamAllocationTest, EveryAllocationFailureIsSurvived) {
  DeclareGrammar();
  const DumpOutcome reference = RunDump();
  ASSERT_EQ("R(Id=7) [A(Size=3) [C] | C | B | A [" +
                StreamTestSupport::Error(
                    "Wrong order for the sub-markups of the R markup.") +
                "]]",
            reference.tree);
  std::size_t failAt = 1;
  for (;; ++failAt) {
    DumpOutcome outcome;
    bool fired = false;
    {
      ScopedAllocationFailure failure(failAt);
      outcome = RunDump();
      fired = FailingAllocator::Fired();
    }
    VisuXMLMarkup::ClearMarkupsHistory();
    if (!fired) break;
    bool reportedMemory = false;
    for (VisuXMLError result : outcome.results) reportedMemory |= result == 3;
    if (reportedMemory) continue;
    EXPECT_EQ(reference.results, outcome.results) << "failing at " << failAt;
    const bool lostTheTree = failAt > outcome.allocationsBeforeLastClose;
    EXPECT_EQ(lostTheTree ? "<no tree>" : reference.tree, outcome.tree)
        << "failing at " << failAt;
  }
  EXPECT_GT(failAt, 10u);
}

}  // namespace
