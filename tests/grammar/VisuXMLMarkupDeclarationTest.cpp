#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FailingAllocator.h"
#include "GrammarFixture.h"
#include "VisuXMLAttributeTestAccess.h"
#include "VisuXMLMarkupTestAccess.h"

namespace {

using Access = VisuXMLMarkupTestAccess;
using Entry = VisuXMLSubMarkupToMarkupLinks;
using Chain = std::vector<long>;

std::string Text(const MOKUnicodeString& text) {
  return std::string(static_cast<const char*>(text),
                     static_cast<std::size_t>(text.GetLengthInByte()));
}

std::string LastError() { return Text(VisuXMLMarkup::GetLastErrorMessage()); }

class VisuXMLMarkupDeclarationTest : public GrammarFixture {
 protected:
  void SetUp() override { VisuXMLMarkup::GetLastErrorMessage() = ""; }

  static VisuXMLError Declare(const char* name,
                              VisuXMLTypeOfMarkup type = VisuXMLStandardMarkup) {
    return VisuXMLMarkup::CreateXMLMarkup(MOKUnicodeString(name), type);
  }
  static VisuXMLError Attach(const char* parent, const char* sub,
                             VisuXMLMarkupToMarkupLink link = VisuXMLOnlyOnce) {
    return VisuXMLMarkup::AttachMarkup(parent, sub, link);
  }
  static VisuXMLError AttachAttr(const char* markup, const char* attribute,
                                 VisuXMLAttributeToMarkupLink link =
                                     VisuXMLRequiredAttribute) {
    return VisuXMLMarkup::AttachAttribute(markup, attribute, link);
  }
  static VisuXMLError Regroup(const char* parent,
                              const std::vector<MOKUnicodeString>& names,
                              VisuXMLMarkupToMarkupLink link = VisuXMLOnlyOnce) {
    return VisuXMLMarkup::RegroupMarkups(
        parent, names.data(), static_cast<std::uint32_t>(names.size()), link);
  }
  static VisuXMLMarkup* Find(const char* name) { return Access::Retrieve(name); }

  // P with S0 to S3 attached in this order, all once.
  static VisuXMLMarkup* DeclareParentWithFourSubMarkups() {
    Declare("P");
    for (const char* name : {"S0", "S1", "S2", "S3"}) {
      Declare(name);
      Attach("P", name);
    }
    return Find("P");
  }

  static void ExpectOffsets(const VisuXMLMarkup* parent,
                            const std::vector<int>& toNext,
                            const std::vector<int>& toGroup) {
    ASSERT_EQ(toNext.size(), Access::NbSubMarkupLinks(parent));
    for (std::uint32_t i = 0; i < toNext.size(); ++i) {
      EXPECT_EQ(toNext[i], Access::At(parent, i)._iOffsetToNext) << "entry " << i;
      EXPECT_EQ(toGroup[i], Access::At(parent, i)._iOffsetToGroup) << "entry " << i;
    }
  }
};

// ---- CreateXMLMarkup ----

// Tests that an empty name is refused with its message.
TEST_F(VisuXMLMarkupDeclarationTest, EmptyNameIsRefused) {
  EXPECT_EQ(1u, Declare(""));
  EXPECT_EQ("The name provided for the XML markup is empty.", LastError());
  EXPECT_EQ(nullptr, Access::First());
}

// Tests that a name that is not an XML name is refused with its message.
TEST_F(VisuXMLMarkupDeclarationTest, InvalidNameIsRefused) {
  EXPECT_EQ(1u, Declare("my markup"));
  EXPECT_EQ("The name provided for the XML markup - my markup - is not a valid XML name.",
            LastError());
  EXPECT_EQ(nullptr, Access::First());
}

// Tests that an invalid root name neither registers nor counts a root.
TEST_F(VisuXMLMarkupDeclarationTest, InvalidRootNameCountsNoRoot) {
  EXPECT_EQ(1u, Declare("9Doc", VisuXMLRootMarkup));
  EXPECT_EQ(0u, Access::NbRootMarkups());
  EXPECT_EQ(0u, Declare("Doc", VisuXMLRootMarkup));
}

// Tests that a second declaration of a name is refused with its message.
TEST_F(VisuXMLMarkupDeclarationTest, DuplicateNameIsRefused) {
  Declare("Node");
  EXPECT_EQ(1u, Declare("Node"));
  EXPECT_EQ("A XML markup with the name - Node - has already been defined.",
            LastError());
  EXPECT_EQ(nullptr, Access::Next(Access::First()));
}

// Tests that redeclaring the root's name reports the duplicate, not the root.
TEST_F(VisuXMLMarkupDeclarationTest, DuplicateRootReportsDuplicateName) {
  Declare("Doc", VisuXMLRootMarkup);
  EXPECT_EQ(1u, Declare("Doc", VisuXMLRootMarkup));
  EXPECT_EQ("A XML markup with the name - Doc - has already been defined.",
            LastError());
}

// Tests that a second root is refused with its message.
TEST_F(VisuXMLMarkupDeclarationTest, SecondRootIsRefused) {
  Declare("Doc", VisuXMLRootMarkup);
  EXPECT_EQ(1u, Declare("Other", VisuXMLRootMarkup));
  EXPECT_EQ("The XML markup provided - Other - can't be declared as a root "
            "markup because already one root markup exists.",
            LastError());
  EXPECT_EQ(nullptr, Find("Other"));
  EXPECT_EQ(1u, Access::NbRootMarkups());
}

// Tests that a root may be declared again once the registry is destroyed.
TEST_F(VisuXMLMarkupDeclarationTest, RootAllowedAgainAfterDestroy) {
  Declare("Doc", VisuXMLRootMarkup);
  VisuXMLMarkup::DestroyMarkups();
  EXPECT_EQ(0u, Access::NbRootMarkups());
  EXPECT_EQ(0u, Declare("Other", VisuXMLRootMarkup));
}

// Tests that a declaration starts empty and the registry is newest first.
TEST_F(VisuXMLMarkupDeclarationTest, RegistryListsNewestFirst) {
  Declare("A", VisuXMLRootMarkup);
  Declare("B");
  const VisuXMLMarkup* b = Access::First();
  const VisuXMLMarkup* a = Access::Next(b);
  EXPECT_EQ("B", Text(Access::Name(b)));
  EXPECT_EQ("A", Text(Access::Name(a)));
  EXPECT_EQ(nullptr, Access::Next(a));
  EXPECT_EQ(VisuXMLRootMarkup, Access::Type(a));
  EXPECT_EQ("", Text(Access::Text(b)));
  EXPECT_EQ(0u, Access::OpenedInStream(b));
  EXPECT_EQ(nullptr, Access::AttributeLinks(b));
  EXPECT_EQ(nullptr, Access::SubMarkupLinks(b));
  EXPECT_EQ(nullptr, Access::FirstInChain(b));
}

// Tests that a lookup started behind the head sees only older declarations.
TEST_F(VisuXMLMarkupDeclarationTest, LookupFromInnerRecordSeesOnlyOlderOnes) {
  Declare("A");
  Declare("B");
  Declare("C");
  VisuXMLMarkup* b = Access::Next(Access::First());
  EXPECT_EQ(b, Access::RetrieveFrom(b, "B"));
  EXPECT_EQ(Access::Next(b), Access::RetrieveFrom(b, "A"));
  EXPECT_EQ(nullptr, Access::RetrieveFrom(b, "C"));
  EXPECT_EQ(0u, Access::SearchForExisting(b, "C"));
  EXPECT_EQ(1u, Access::SearchForExisting(b, "A"));
  EXPECT_EQ("", LastError());
}

// Tests that destroying forgets every name, so each may be declared again.
TEST_F(VisuXMLMarkupDeclarationTest, DestroyForgetsEveryName) {
  Declare("A");
  Declare("B");
  VisuXMLMarkup::DestroyMarkups();
  EXPECT_EQ(nullptr, Access::First());
  EXPECT_EQ(nullptr, Find("A"));
  EXPECT_EQ(0u, Declare("A"));
}

// Tests that a success and a destruction leave the last message in place.
TEST_F(VisuXMLMarkupDeclarationTest, LastMessageSurvivesSuccessAndDestroy) {
  Declare("");
  Declare("A");
  VisuXMLMarkup::DestroyMarkups();
  EXPECT_EQ("The name provided for the XML markup is empty.", LastError());
}

// Tests that running out of memory declares nothing and counts no root.
TEST_F(VisuXMLMarkupDeclarationTest, OutOfMemoryDeclaresNothing) {
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(0u, Declare("Doc", VisuXMLRootMarkup));
  }
  EXPECT_EQ(nullptr, Access::First());
  EXPECT_EQ(0u, Access::NbRootMarkups());
}

// Tests that a million declarations are freed without recursion.
TEST_F(VisuXMLMarkupDeclarationTest, MillionDeclarationsAreFreed) {
  constexpr int kCount = 1000000;
  for (int i = 0; i < kCount; ++i) {
    ASSERT_EQ(0u, Declare(("m" + std::to_string(i)).c_str()));
  }
  EXPECT_NE(nullptr, Find("m0"));
  VisuXMLMarkup::DestroyMarkups();
  EXPECT_EQ(nullptr, Access::First());
}

// ---- AttachAttribute ----

// Tests that an undeclared markup is reported before an undeclared attribute.
TEST_F(VisuXMLMarkupDeclarationTest, AttachAttributeReportsMarkupFirst) {
  EXPECT_EQ(1u, AttachAttr("Box", "Width"));
  EXPECT_EQ("The XML markup provided - Box - does not exist.", LastError());
}

// Tests that an undeclared attribute is reported with an empty registry.
TEST_F(VisuXMLMarkupDeclarationTest, AttachAttributeWithoutAnyAttribute) {
  Declare("Box");
  EXPECT_EQ(1u, AttachAttr("Box", "Width"));
  EXPECT_EQ("The XML attribute provided - Width - does not exist.", LastError());
  EXPECT_EQ(0u, Access::NbAttributeLinks(Find("Box")));
}

// Tests that an undeclared attribute is reported among declared ones.
TEST_F(VisuXMLMarkupDeclarationTest, AttachAttributeUndeclaredName) {
  Declare("Box");
  VisuXMLAttribute::CreateXMLAttribute("Height", VisuXMLTextAttribute);
  EXPECT_EQ(1u, AttachAttr("Box", "Width"));
  EXPECT_EQ("The XML attribute provided - Width - does not exist.", LastError());
}

// Tests that attaching the same attribute twice is refused and keeps one entry.
TEST_F(VisuXMLMarkupDeclarationTest, AttachAttributeTwiceIsRefused) {
  Declare("Box");
  VisuXMLAttribute::CreateXMLAttribute("Width", VisuXMLRealAttribute);
  EXPECT_EQ(0u, AttachAttr("Box", "Width"));
  EXPECT_EQ(2u, AttachAttr("Box", "Width", VisuXMLOptionalAttribute));
  EXPECT_EQ("The XML attribute Width has already been declared for the XML markup Box.",
            LastError());
  EXPECT_EQ(1u, Access::NbAttributeLinks(Find("Box")));
  EXPECT_EQ(VisuXMLRequiredAttribute, Access::AttributeLinks(Find("Box"))[0]._Link);
}

// Tests that attributes keep the order and links they were attached with.
TEST_F(VisuXMLMarkupDeclarationTest, AttributesKeepAttachOrder) {
  Declare("Box");
  for (const char* name : {"X", "Y", "Z"}) {
    VisuXMLAttribute::CreateXMLAttribute(name, VisuXMLTextAttribute);
  }
  AttachAttr("Box", "X");
  AttachAttr("Box", "Y", VisuXMLOptionalAttribute);
  AttachAttr("Box", "Z", static_cast<VisuXMLAttributeToMarkupLink>(5));
  const VisuXMLMarkup* box = Find("Box");
  ASSERT_EQ(3u, Access::NbAttributeLinks(box));
  const VisuXMLAttributeLinks* links = Access::AttributeLinks(box);
  const char* expected[] = {"X", "Y", "Z"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(expected[i], Text(VisuXMLAttributeTestAccess::Name(links[i]._pAttribute)));
    EXPECT_EQ(0u, links[i]._uiNbUses);
    EXPECT_EQ(0u, links[i]._OwnsAttribute);
  }
  EXPECT_EQ(5, links[2]._Link);
  EXPECT_EQ(1u, Access::SearchForAttributeByName(box, "Y"));
  EXPECT_EQ(0xFFFFFFFFu, Access::SearchForAttributeByName(box, "W"));
}

// Tests that a table that cannot grow gives 3 and leaves the record as it was.
TEST_F(VisuXMLMarkupDeclarationTest, AttachAttributeOutOfMemory) {
  Declare("Box");
  VisuXMLAttribute::CreateXMLAttribute("X", VisuXMLTextAttribute);
  VisuXMLAttribute::CreateXMLAttribute("Y", VisuXMLTextAttribute);
  AttachAttr("Box", "X");
  const VisuXMLMarkup* box = Find("Box");
  const VisuXMLAttributeLinks* before = Access::AttributeLinks(box);
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(3u, AttachAttr("Box", "Y"));
  }
  EXPECT_EQ(before, Access::AttributeLinks(box));
  EXPECT_EQ(1u, Access::NbAttributeLinks(box));
  EXPECT_EQ("", LastError());
}

// ---- AttachMarkup ----

// Tests that an undeclared parent is reported before an undeclared sub-markup.
TEST_F(VisuXMLMarkupDeclarationTest, AttachMarkupReportsParentFirst) {
  EXPECT_EQ(1u, Attach("P", "S"));
  EXPECT_EQ("The XML markup provided - P - does not exist.", LastError());
}

// Tests that an undeclared sub-markup is reported with its name.
TEST_F(VisuXMLMarkupDeclarationTest, AttachMarkupReportsMissingSubMarkup) {
  Declare("P");
  EXPECT_EQ(1u, Attach("P", "S"));
  EXPECT_EQ("The XML markup provided - S - does not exist.", LastError());
}

// Tests that attaching a sub-markup twice is refused and keeps one entry.
TEST_F(VisuXMLMarkupDeclarationTest, AttachMarkupTwiceIsRefused) {
  Declare("P");
  Declare("S");
  EXPECT_EQ(0u, Attach("P", "S"));
  EXPECT_EQ(2u, Attach("P", "S", VisuXMLAtLeastOnce));
  EXPECT_EQ("The XML markup provided - S - has already been declared as a "
            "sub-markup for the XML markup P.",
            LastError());
  EXPECT_EQ(1u, Access::NbSubMarkupLinks(Find("P")));
}

// Tests that the root cannot be attached as a sub-markup.
TEST_F(VisuXMLMarkupDeclarationTest, RootCannotBeSubMarkup) {
  Declare("Doc", VisuXMLRootMarkup);
  Declare("P");
  EXPECT_EQ(2u, Attach("P", "Doc"));
  EXPECT_EQ("The XML markup provided - Doc - has been declared as root markup "
            "for the XML file. It can't therefore be added as a sub-markup for "
            "the P markup.",
            LastError());
  EXPECT_EQ(0u, Access::NbSubMarkupLinks(Find("P")));
}

// Tests that a markup may contain itself and two markups each other.
TEST_F(VisuXMLMarkupDeclarationTest, MarkupMayContainItself) {
  Declare("A");
  Declare("B");
  EXPECT_EQ(0u, Attach("A", "A"));
  EXPECT_EQ(0u, Attach("A", "B"));
  EXPECT_EQ(0u, Attach("B", "A"));
  EXPECT_EQ(Find("A"), Access::At(Find("A"), 0)._pMarkup);
  EXPECT_EQ(Find("A"), Access::SearchForMarkupInChain(Find("A"), Find("A"), nullptr)->_pMarkup);
}

// Tests that sub-markups chain in attach order with 24-byte offsets.
TEST_F(VisuXMLMarkupDeclarationTest, SubMarkupsChainInAttachOrder) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  ExpectOffsets(parent, {24, 24, 24, 0}, {0, 0, 0, 0});
  EXPECT_EQ(0, Access::HeadIndex(parent));
  EXPECT_EQ(Find("S2"), Access::At(parent, 2)._pMarkup);
  EXPECT_EQ(0u, Access::At(parent, 2)._uiNbUses);
}

// Tests that the first entry that cannot be allocated gives 3 and no table.
TEST_F(VisuXMLMarkupDeclarationTest, FirstSubMarkupOutOfMemory) {
  Declare("P");
  Declare("S");
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(3u, Attach("P", "S"));
  }
  EXPECT_EQ(nullptr, Access::SubMarkupLinks(Find("P")));
  EXPECT_EQ(nullptr, Access::FirstInChain(Find("P")));
  EXPECT_EQ(0u, Access::NbSubMarkupLinks(Find("P")));
}

// Tests that a table that cannot grow gives 3 and leaves the record as it was.
TEST_F(VisuXMLMarkupDeclarationTest, AttachMarkupOutOfMemory) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  Declare("S4");
  const Entry* before = Access::SubMarkupLinks(parent);
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(3u, Attach("P", "S4"));
  }
  EXPECT_EQ(before, Access::SubMarkupLinks(parent));
  EXPECT_EQ(before, Access::FirstInChain(parent));
  ExpectOffsets(parent, {24, 24, 24, 0}, {0, 0, 0, 0});
}

// ---- RegroupMarkups ----

// Tests that no names gives 1 and leaves the previous message.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupWithoutNamesKeepsMessage) {
  DeclareParentWithFourSubMarkups();
  VisuXMLMarkup::GetLastErrorMessage() = "previous";
  EXPECT_EQ(1u, Regroup("P", {}));
  EXPECT_EQ("previous", LastError());
  EXPECT_EQ(4u, Access::NbSubMarkupLinks(Find("P")));
}

// Tests that an undeclared parent is reported.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupReportsMissingParent) {
  Declare("S0");
  EXPECT_EQ(1u, Regroup("P", {"S0"}));
  EXPECT_EQ("The XML markup provided - P - does not exist.", LastError());
}

// Tests that an undeclared member is reported and nothing changes.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupReportsMissingMember) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  EXPECT_EQ(1u, Regroup("P", {"S1", "S9"}));
  EXPECT_EQ("The XML markup provided - S9 - does not exist.", LastError());
  ExpectOffsets(parent, {24, 24, 24, 0}, {0, 0, 0, 0});
}

// Tests that a member not attached to the parent is reported, table unchanged.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupReportsUnattachedMember) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  Declare("Loose");
  EXPECT_EQ(1u, Regroup("P", {"S1", "Loose", "S2"}));
  EXPECT_EQ("The XML markup provided - Loose - has not been declared as a "
            "sub-markup for the P markup.",
            LastError());
  ExpectOffsets(parent, {24, 24, 24, 0}, {0, 0, 0, 0});
  EXPECT_EQ(0, Access::HeadIndex(parent));
}

// Tests the first worked example: S2 and S1 grouped in the middle.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupMiddleMembers) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  EXPECT_EQ(0u, Regroup("P", {"S2", "S1"}, VisuXMLAtLeastOnce));
  ExpectOffsets(parent, {96, 0, -24, 0, -24}, {0, 0, 0, 0, -48});
  EXPECT_EQ(0, Access::HeadIndex(parent));
  EXPECT_EQ(Chain({0, 4, 3}), Access::MainChain(parent));
  EXPECT_EQ(Chain({2, 1}), Access::GroupChain(parent, 4));
  EXPECT_EQ(nullptr, Access::At(parent, 4)._pMarkup);
  EXPECT_EQ(VisuXMLAtLeastOnce, Access::At(parent, 4)._Link);
}

// Tests the second worked example: the head and the last grouped.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupHeadAndLast) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  EXPECT_EQ(0u, Regroup("P", {"S0", "S3"}));
  ExpectOffsets(parent, {72, 24, 0, 0, -72}, {0, 0, 0, 0, -96});
  EXPECT_EQ(4, Access::HeadIndex(parent));
  EXPECT_EQ(Chain({4, 1, 2}), Access::MainChain(parent));
  EXPECT_EQ(Chain({0, 3}), Access::GroupChain(parent, 4));
}

// Tests that a sub-markup attached after a group joins the main chain.
TEST_F(VisuXMLMarkupDeclarationTest, AttachAfterGroupJoinsMainChain) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  Regroup("P", {"S0", "S3"});
  Declare("S4");
  EXPECT_EQ(0u, Attach("P", "S4"));
  ExpectOffsets(parent, {72, 24, 72, 0, -72, 0}, {0, 0, 0, 0, -96, 0});
  EXPECT_EQ(4, Access::HeadIndex(parent));
  EXPECT_EQ(Chain({4, 1, 2, 5}), Access::MainChain(parent));
  EXPECT_EQ(Chain({0, 3}), Access::GroupChain(parent, 4));
}

// Tests the third worked example: the last then the head grouped.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupLastThenHead) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  EXPECT_EQ(0u, Regroup("P", {"S3", "S0"}));
  ExpectOffsets(parent, {0, 24, 48, -72, 0}, {0, 0, 0, 0, -24});
  EXPECT_EQ(1, Access::HeadIndex(parent));
  EXPECT_EQ(Chain({1, 2, 4}), Access::MainChain(parent));
  EXPECT_EQ(Chain({3, 0}), Access::GroupChain(parent, 4));
}

// Tests that a name given twice is moved once.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupNameTwiceMovesOnce) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  EXPECT_EQ(0u, Regroup("P", {"S1", "S1", "S2"}));
  EXPECT_EQ(Chain({0, 4, 3}), Access::MainChain(parent));
  EXPECT_EQ(Chain({1, 2}), Access::GroupChain(parent, 4));
}

// Tests that naming only grouped markups adds a head outside every chain.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupOnlyGroupedAddsDetachedHead) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  Regroup("P", {"S1", "S2"});
  EXPECT_EQ(0u, Regroup("P", {"S2", "S1"}));
  EXPECT_EQ(6u, Access::NbSubMarkupLinks(parent));
  ExpectOffsets(parent, {96, 24, 0, 0, -24, 0}, {0, 0, 0, 0, -72, 0});
  EXPECT_EQ(Chain({0, 4, 3}), Access::MainChain(parent));
  EXPECT_EQ(Chain({1, 2}), Access::GroupChain(parent, 4));
}

// Tests that a group head that cannot be allocated gives 3, nothing changed.
TEST_F(VisuXMLMarkupDeclarationTest, RegroupOutOfMemory) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  const Entry* before = Access::SubMarkupLinks(parent);
  {
    ScopedAllocationFailure failure(1);
    EXPECT_EQ(3u, Regroup("P", {"S1", "S2"}));
  }
  EXPECT_EQ(before, Access::SubMarkupLinks(parent));
  ExpectOffsets(parent, {24, 24, 24, 0}, {0, 0, 0, 0});
}

// Tests that failing each allocation of a grammar build in turn is survived.
TEST_F(VisuXMLMarkupDeclarationTest, EveryAllocationFailureIsSurvived) {
  for (std::size_t failAt = 1;; ++failAt) {
    bool fired = false;
    {
      ScopedAllocationFailure failure(failAt);
      const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
      VisuXMLAttribute::CreateXMLAttribute("X", VisuXMLTextAttribute);
      const VisuXMLError attached = AttachAttr("P", "X");
      const VisuXMLError grouped = Regroup("P", {"S3", "S0"});
      EXPECT_TRUE(attached == 0 || attached == 1 || attached == 3);
      EXPECT_TRUE(grouped == 0 || grouped == 1 || grouped == 3);
      fired = FailingAllocator::Fired();
      if (!fired) {
        EXPECT_EQ(Chain({1, 2, 4}), Access::MainChain(parent));
        EXPECT_EQ(Chain({3, 0}), Access::GroupChain(parent, 4));
      }
    }
    VisuXMLMarkup::DestroyMarkups();
    VisuXMLAttribute::DestroyAttributes();
    if (!fired) break;
  }
}

// Tests that the head keeps its entry when a regroup moves the table.
TEST_F(VisuXMLMarkupDeclarationTest, HeadFollowsTableMoves) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  Regroup("P", {"S3", "S0"});
  Declare("S4");
  Attach("P", "S4");
  EXPECT_EQ(1, Access::HeadIndex(parent));
  EXPECT_EQ(Chain({1, 2, 4, 5}), Access::MainChain(parent));
}

// ---- SearchForMarkupInChain ----

// Tests that a sub-markup is found only at or after the start entry.
TEST_F(VisuXMLMarkupDeclarationTest, ChainSearchStartsAtStartEntry) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  Entry* entries = Access::SubMarkupLinks(parent);
  EXPECT_EQ(&entries[1], Access::SearchForMarkupInChain(parent, Find("S1"), nullptr));
  EXPECT_EQ(&entries[1], Access::SearchForMarkupInChain(parent, Find("S1"), &entries[1]));
  EXPECT_EQ(nullptr, Access::SearchForMarkupInChain(parent, Find("S1"), &entries[2]));
}

// Tests that a group member is reported through its group head.
TEST_F(VisuXMLMarkupDeclarationTest, ChainSearchReportsGroupHead) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  Regroup("P", {"S2", "S1"});
  Entry* entries = Access::SubMarkupLinks(parent);
  EXPECT_EQ(&entries[4], Access::SearchForMarkupInChain(parent, Find("S1"), nullptr));
  EXPECT_EQ(&entries[4], Access::SearchForMarkupInChain(parent, Find("S2"), &entries[4]));
  EXPECT_EQ(&entries[3], Access::SearchForMarkupInChain(parent, Find("S3"), &entries[4]));
  EXPECT_EQ(nullptr, Access::SearchForMarkupInChain(parent, Find("S0"), &entries[4]));
}

// Tests that a markup without sub-markups finds nothing.
TEST_F(VisuXMLMarkupDeclarationTest, ChainSearchOnEmptyTable) {
  Declare("P");
  EXPECT_EQ(nullptr, Access::SearchForMarkupInChain(Find("P"), Find("P"), nullptr));
  EXPECT_EQ(0u, Access::SearchForMarkupInSubMarkups(Find("P"), Find("P")));
}

// ---- Instance copy, clean-up and assignment ----

// Tests that an instance of a markup without links has empty tables.
TEST_F(VisuXMLMarkupDeclarationTest, InstanceOfEmptyMarkup) {
  Declare("Doc", VisuXMLRootMarkup);
  Declare("Leaf");
  VisuXMLMarkup* instance = Access::MakeInstance(Find("Doc"));
  EXPECT_EQ(nullptr, Access::Next(instance));
  EXPECT_EQ(nullptr, Access::SubMarkupLinks(instance));
  EXPECT_EQ(nullptr, Access::FirstInChain(instance));
  EXPECT_EQ(0u, Access::NbSubMarkupLinks(instance));
  EXPECT_EQ(nullptr, Access::AttributeLinks(instance));
  EXPECT_EQ("Doc", Text(Access::Name(instance)));
  EXPECT_EQ(VisuXMLRootMarkup, Access::Type(instance));
  EXPECT_EQ(0u, Access::OpenedInStream(instance));
  Access::DestroyInstance(instance);
  EXPECT_NE(nullptr, Find("Leaf"));
}

// Tests that an instance of a grouped parent walks like its declaration.
TEST_F(VisuXMLMarkupDeclarationTest, InstanceOfGroupedParentWalksAlike) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  Regroup("P", {"S3", "S0"});
  VisuXMLMarkup* instance = Access::MakeInstance(parent);
  ASSERT_NE(Access::SubMarkupLinks(parent), Access::SubMarkupLinks(instance));
  EXPECT_EQ(5u, Access::NbSubMarkupLinks(instance));
  EXPECT_EQ(1, Access::HeadIndex(instance));
  EXPECT_EQ(Access::MainChain(parent), Access::MainChain(instance));
  EXPECT_EQ(Access::GroupChain(parent, 4), Access::GroupChain(instance, 4));
  Entry* entries = Access::SubMarkupLinks(instance);
  EXPECT_EQ(&entries[4], Access::SearchForMarkupInChain(instance, Find("S0"), &entries[2]));
  EXPECT_EQ(nullptr, Access::SearchForMarkupInChain(instance, Find("S1"), &entries[2]));
  Access::DestroyInstance(instance);
}

// Tests that an instance copies the attribute table entry for entry.
TEST_F(VisuXMLMarkupDeclarationTest, InstanceCopiesAttributeTable) {
  Declare("Box");
  VisuXMLAttribute::CreateXMLAttribute("X", VisuXMLTextAttribute);
  VisuXMLAttribute::CreateXMLAttribute("Y", VisuXMLTextAttribute);
  AttachAttr("Box", "X");
  AttachAttr("Box", "Y", VisuXMLOptionalAttribute);
  VisuXMLMarkup* instance = Access::MakeInstance(Find("Box"));
  ASSERT_EQ(2u, Access::NbAttributeLinks(instance));
  EXPECT_NE(Access::AttributeLinks(Find("Box")), Access::AttributeLinks(instance));
  EXPECT_EQ(VisuXMLAttributeTestAccess::Retrieve("Y"),
            Access::AttributeLinks(instance)[1]._pAttribute);
  EXPECT_EQ(VisuXMLOptionalAttribute, Access::AttributeLinks(instance)[1]._Link);
  Access::DestroyInstance(instance);
}

// Tests that tables that cannot be allocated leave the instance empty.
TEST_F(VisuXMLMarkupDeclarationTest, InstanceOutOfMemoryKeepsTablesEmpty) {
  const VisuXMLMarkup* parent = DeclareParentWithFourSubMarkups();
  VisuXMLAttribute::CreateXMLAttribute("X", VisuXMLTextAttribute);
  AttachAttr("P", "X");
  for (std::size_t failAt = 1; failAt <= 2; ++failAt) {
    VisuXMLMarkup* instance = nullptr;
    {
      ScopedAllocationFailure failure(failAt);
      instance = Access::MakeInstance(parent);
    }
    const bool attributesFailed = failAt == 1;
    EXPECT_EQ(attributesFailed, Access::AttributeLinks(instance) == nullptr);
    EXPECT_EQ(attributesFailed ? 0u : 1u, Access::NbAttributeLinks(instance));
    EXPECT_EQ(!attributesFailed, Access::SubMarkupLinks(instance) == nullptr);
    EXPECT_EQ(attributesFailed ? 4u : 0u, Access::NbSubMarkupLinks(instance));
    EXPECT_EQ(!attributesFailed, Access::FirstInChain(instance) == nullptr);
    Access::DestroyInstance(instance);
  }
}

// Tests that clean-up frees the owned attribute copies and the table.
TEST_F(VisuXMLMarkupDeclarationTest, CleanUpFreesOwnedCopies) {
  Declare("Box");
  VisuXMLAttribute::CreateXMLAttribute("X", VisuXMLTextAttribute);
  VisuXMLAttribute::CreateXMLAttribute("Y", VisuXMLTextAttribute);
  AttachAttr("Box", "X");
  AttachAttr("Box", "Y");
  VisuXMLMarkup* instance = Access::MakeInstance(Find("Box"));
  VisuXMLAttributeLinks& owned = Access::AttributeLinks(instance)[0];
  owned._pAttribute = VisuXMLAttributeTestAccess::Copy(owned._pAttribute);
  owned._OwnsAttribute = 1;
  Access::CleanUpAttributes(instance);
  EXPECT_EQ(nullptr, Access::AttributeLinks(instance));
  EXPECT_EQ(0u, Access::NbAttributeLinks(instance));
  EXPECT_NE(nullptr, VisuXMLAttributeTestAccess::Retrieve("X"));
  Access::DestroyInstance(instance);
}

}  // namespace
