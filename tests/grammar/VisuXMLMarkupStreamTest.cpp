#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StreamTestSupport.h"
#include "VisuXMLMarkupTestAccess.h"

namespace {

using StreamTestSupport::Attributes;
using StreamTestSupport::Describe;
using StreamTestSupport::Error;
using StreamTestSupport::NameValue;
using StreamTestSupport::Text;
using StreamTestSupport::Tree;

const char kWrongOrderInScene[] =
    "Wrong order for the sub-markups of the Scene markup.";

class VisuXMLMarkupStreamTest : public StreamTestSupport::StreamFixture {
 protected:
  // The grammar of the scene example: Scene (root, Name required) holding
  // Camera (only once), Light (any number) and Object (at least once, Name
  // required, Visible optional), in this order.
  void DeclareScene() {
    Attribute("Name");
    Attribute("Visible");
    Markup("Scene", VisuXMLRootMarkup);
    Markup("Camera");
    Markup("Light");
    Markup("Object");
    Attach("Scene", "Name", VisuXMLRequiredAttribute);
    Attach("Object", "Name", VisuXMLRequiredAttribute);
    Attach("Object", "Visible", VisuXMLOptionalAttribute);
    Sub("Scene", "Camera", VisuXMLOnlyOnce);
    Sub("Scene", "Light", static_cast<VisuXMLMarkupToMarkupLink>(3));
    Sub("Scene", "Object", VisuXMLAtLeastOnce);
  }

  // A root R holding P, Q and S in this order, each with the given link;
  // P, Q and S may hold each other freely (link 3) for nesting tests.
  void DeclareChain(VisuXMLMarkupToMarkupLink link) {
    Markup("R", VisuXMLRootMarkup);
    for (const char* name : {"P", "Q", "S"}) {
      Markup(name);
      Sub("R", name, link);
    }
    const auto free = static_cast<VisuXMLMarkupToMarkupLink>(3);
    Sub("P", "Q", free);
    Sub("Q", "S", free);
  }
};

// Tests the scene example step by step, down to every element of its tree.
TEST_F(VisuXMLMarkupStreamTest, SceneExampleBuildsTheDocumentedTree) {
  DeclareScene();
  EXPECT_EQ(0u, Open("Scene"));
  EXPECT_EQ(0u, Set("Name", "demo"));
  EXPECT_EQ(0u, Open("Object"));
  EXPECT_EQ(0u, Set("Visible", "1"));
  EXPECT_EQ(0u, Close("Object"));
  EXPECT_EQ(1u, Open("Camera"));
  EXPECT_EQ(0u, Close("Camera"));
  EXPECT_EQ(0u, Close("Scene"));

  Tree scene = TakeTree();
  ASSERT_NE(nullptr, scene);
  EXPECT_EQ("Scene", Text(scene->GetName()));
  EXPECT_EQ(std::vector<NameValue>({{"Name", "demo"}}), Attributes(*scene));
  EXPECT_EQ("", Text(scene->GetValue()));
  ASSERT_EQ(3u, scene->GetChildCount());

  const MOKLightXmlElement& object = *scene->GetChildAt(0);
  EXPECT_EQ("Object", Text(object.GetName()));
  EXPECT_EQ(std::vector<NameValue>({{"Name", "???"}, {"Visible", "1"}}),
            Attributes(object));
  ASSERT_EQ(1u, object.GetChildCount());
  EXPECT_EQ("VisuXMLError", Text(object.GetChildAt(0)->GetName()));
  EXPECT_EQ("The XML attribute Name is required for the XML markup Object.",
            Text(object.GetChildAt(0)->GetValue()));
  EXPECT_EQ(0u, object.GetChildAt(0)->GetAttributeCount());
  EXPECT_EQ(0u, object.GetChildAt(0)->GetChildCount());

  const MOKLightXmlElement& camera = *scene->GetChildAt(1);
  EXPECT_EQ("Camera", Text(camera.GetName()));
  EXPECT_EQ(0u, camera.GetAttributeCount());
  ASSERT_EQ(1u, camera.GetChildCount());
  EXPECT_EQ("VisuXMLError", Text(camera.GetChildAt(0)->GetName()));
  EXPECT_EQ(kWrongOrderInScene, Text(camera.GetChildAt(0)->GetValue()));

  const MOKLightXmlElement& closing = *scene->GetChildAt(2);
  EXPECT_EQ("VisuXMLError", Text(closing.GetName()));
  EXPECT_EQ(
      "The XML markup Camera must appear only once in the XML markup Scene.",
      Text(closing.GetValue()));
  EXPECT_EQ(0u, closing.GetAttributeCount());
  EXPECT_EQ(0u, closing.GetChildCount());
  EXPECT_EQ("", LastError());
}

// Tests the group example: members in any order and repeated, the late
// member refused, the group's own link never tested.
TEST_F(VisuXMLMarkupStreamTest,
       GroupExampleWalksTheGroupThenRefusesLateMember) {
  Markup("Top", VisuXMLRootMarkup);
  for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"}) Markup(name);
  Sub("Top", "Alpha", VisuXMLOnlyOnce);
  Sub("Top", "Beta", VisuXMLAtLeastOnce);
  Sub("Top", "Gamma", static_cast<VisuXMLMarkupToMarkupLink>(3));
  Sub("Top", "Delta", static_cast<VisuXMLMarkupToMarkupLink>(2));
  Group("Top", {"Beta", "Gamma"}, VisuXMLOnlyOnce);

  EXPECT_EQ(0u, Open("Top"));
  const std::vector<const char*> order = {"Alpha", "Gamma", "Beta",
                                          "Gamma", "Delta", "Beta"};
  const std::vector<VisuXMLError> results = {0, 0, 0, 0, 0, 1};
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(results[i], OpenClose(order[i])) << order[i] << " at " << i;
  }
  EXPECT_EQ(0u, Close("Top"));

  Tree top = TakeTree();
  ASSERT_NE(nullptr, top);
  EXPECT_EQ("Top", Text(top->GetName()));
  EXPECT_EQ(0u, top->GetAttributeCount());
  ASSERT_EQ(6u, top->GetChildCount());
  for (std::size_t i = 0; i < order.size(); ++i) {
    const MOKLightXmlElement& child = *top->GetChildAt(i);
    EXPECT_EQ(order[i], Text(child.GetName()));
    EXPECT_EQ(0u, child.GetAttributeCount());
    EXPECT_EQ(i == 5 ? 1u : 0u, child.GetChildCount());
  }
  const MOKLightXmlElement& error = *top->GetChildAt(5)->GetChildAt(0);
  EXPECT_EQ("VisuXMLError", Text(error.GetName()));
  EXPECT_EQ("Wrong order for the sub-markups of the Top markup.",
            Text(error.GetValue()));
  EXPECT_EQ("", LastError());
}

// Tests that a member's refused opening does not count against its own
// only-once link, while its accepted openings inside the group do.
TEST_F(VisuXMLMarkupStreamTest, GroupMembersKeepTheirOwnCounts) {
  Markup("Top", VisuXMLRootMarkup);
  for (const char* name : {"Alpha", "Beta", "Gamma", "Delta"}) Markup(name);
  Sub("Top", "Alpha", static_cast<VisuXMLMarkupToMarkupLink>(3));
  Sub("Top", "Beta", VisuXMLOnlyOnce);
  Sub("Top", "Gamma", VisuXMLOnlyOnce);
  Sub("Top", "Delta", static_cast<VisuXMLMarkupToMarkupLink>(3));
  Group("Top", {"Gamma", "Beta"}, VisuXMLNotValid);

  Open("Top");
  EXPECT_EQ(0u, OpenClose("Beta"));
  EXPECT_EQ(0u, OpenClose("Gamma"));
  EXPECT_EQ(0u, OpenClose("Gamma"));
  EXPECT_EQ(0u, OpenClose("Delta"));
  EXPECT_EQ(1u, OpenClose("Beta"));
  EXPECT_EQ(1u, OpenClose("Alpha"));
  EXPECT_EQ(0u, Close("Top"));
  const std::string wrongOrder =
      Error("Wrong order for the sub-markups of the Top markup.");
  EXPECT_EQ("Top [Beta | Gamma | Gamma | Delta | Beta [" + wrongOrder +
                "] | Alpha [" + wrongOrder + "] | " +
                Error("The XML markup Gamma must appear only once in the XML "
                      "markup Top.") +
                "]",
            TakeTreeText());
}

// Tests that closing with nothing open fails and keeps the message readable.
TEST_F(VisuXMLMarkupStreamTest, CloseWithNothingOpenReportsEmptyHistory) {
  EXPECT_EQ(1u, Close("Scene"));
  EXPECT_EQ("The XML markup history is empty.", LastError());
  EXPECT_EQ(nullptr, TakeTree());
}

// Tests that an undeclared name opens nothing and keeps its message when
// there is no element to write it into.
TEST_F(VisuXMLMarkupStreamTest, UndeclaredOutermostMarkupOpensNothing) {
  DeclareScene();
  EXPECT_EQ(1u, Open("Sky"));
  EXPECT_EQ("The XML markup provided - Sky - does not exist.", LastError());
  EXPECT_EQ(1u, Close("Sky"));
  EXPECT_EQ("The XML markup history is empty.", LastError());
}

// Tests that an undeclared name inside a markup is written into it, and
// that closing under that name then closes the enclosing markup.
TEST_F(VisuXMLMarkupStreamTest, UndeclaredMarkupInsideGoesIntoEnclosingOne) {
  DeclareScene();
  Open("Scene");
  Set("Name", "demo");
  EXPECT_EQ(1u, Open("Sky"));
  EXPECT_EQ("", LastError());
  EXPECT_EQ(1u, Close("Sky"));
  EXPECT_EQ(1u, Close("Scene"));
  EXPECT_EQ("The XML markup history is empty.", LastError());
  EXPECT_EQ("Scene(Name=demo) [" +
                Error("The XML markup provided - Sky - does not exist.") +
                " | " +
                Error("The XML markup to close Sky doesn't match the last "
                      "opened markup Scene.") +
                " | " +
                Error("The XML markup Camera must appear only once in the XML "
                      "markup Scene.") +
                "]",
            TakeTreeText());
}

// Tests that an outermost markup that is not the root is opened with the
// error as its first child and its required attributes never tested.
TEST_F(VisuXMLMarkupStreamTest, OutermostNonRootMarkupCarriesErrorFirst) {
  DeclareScene();
  EXPECT_EQ(1u, Open("Object"));
  EXPECT_EQ("", LastError());
  Set("Visible", "0");
  SetText("body");
  EXPECT_EQ(0u, Close("Object"));
  EXPECT_EQ("Object(Name=???, Visible=0) \"body\" [" +
                Error("The XML markup provided - Object - has not been "
                      "declared as the root markup.") +
                "]",
            TakeTreeText());
}

// Tests that a markup the parent does not declare is refused but opened,
// tested against its own declaration and added to the parent.
TEST_F(VisuXMLMarkupStreamTest, UnauthorisedMarkupIsOpenedWithItsError) {
  DeclareScene();
  Sub("Light", "Camera", VisuXMLAtLeastOnce);
  Open("Scene");
  Set("Name", "demo");
  Open("Light");
  EXPECT_EQ(1u, Open("Object"));
  EXPECT_EQ("The XML markup Object is not an authorized sub-markup for Light.",
            LastError());
  Set("Name", "n");
  EXPECT_EQ(0u, Close("Object"));
  EXPECT_EQ(0u, Close("Light"));
  Close("Scene");
  const std::string expected =
      "Scene(Name=demo) [Light [Object(Name=n) [" +
      Error(
          "The XML markup Object is not an authorized sub-markup for Light.") +
      "] | " +
      Error(
          "The XML markup Camera must appear at least once in the XML "
          "markup Light.") +
      "] | " +
      Error(
          "The XML markup Camera must appear only once in the XML markup "
          "Scene.") +
      "]";
  EXPECT_EQ(expected, TakeTreeText());
}

// Tests that the root opened inside a markup is refused as not authorised
// and is opened there all the same.
TEST_F(VisuXMLMarkupStreamTest, RootInsideAMarkupIsNotAuthorised) {
  DeclareChain(static_cast<VisuXMLMarkupToMarkupLink>(3));
  Open("R");
  EXPECT_EQ(1u, Open("R"));
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ("R [R [" +
                Error("The XML markup R is not an authorized sub-markup for "
                      "R.") +
                "]]",
            TakeTreeText());
}

// Tests chain order: the current sub-markup repeats, later ones may be
// reached by passing over others, earlier ones are refused.
TEST_F(VisuXMLMarkupStreamTest, SubMarkupsFollowTheDeclaredOrder) {
  DeclareChain(static_cast<VisuXMLMarkupToMarkupLink>(3));
  Open("R");
  EXPECT_EQ(0u, OpenClose("Q"));
  EXPECT_EQ(0u, OpenClose("Q"));
  EXPECT_EQ(0u, OpenClose("S"));
  EXPECT_EQ(0u, OpenClose("S"));
  EXPECT_EQ(1u, OpenClose("Q"));
  EXPECT_EQ("", LastError());
  EXPECT_EQ(1u, OpenClose("P"));
  Close("R");
  const std::string wrongOrder =
      Error("Wrong order for the sub-markups of the R markup.");
  EXPECT_EQ(
      "R [Q | Q | S | S | Q [" + wrongOrder + "] | P [" + wrongOrder + "]]",
      TakeTreeText());
}

// Tests that a passed-over sub-markup is reported only at the parent's
// close, and only because its link demands it.
TEST_F(VisuXMLMarkupStreamTest, PassedOverSubMarkupIsReportedAtClose) {
  DeclareChain(VisuXMLAtLeastOnce);
  Open("R");
  EXPECT_EQ(0u, OpenClose("Q"));
  EXPECT_EQ(0u, OpenClose("S"));
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ("R [Q | S | " +
                Error("The XML markup P must appear at least once in the XML "
                      "markup R.") +
                "]",
            TakeTreeText());
}

// Tests that an only-once sub-markup opened twice is reported at close.
TEST_F(VisuXMLMarkupStreamTest, OnlyOnceSubMarkupOpenedTwiceIsReported) {
  DeclareChain(static_cast<VisuXMLMarkupToMarkupLink>(3));
  Markup("T");
  Sub("R", "T", VisuXMLOnlyOnce);
  Open("R");
  OpenClose("T");
  OpenClose("T");
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ("R [T | T | " +
                Error("The XML markup T must appear only once in the XML "
                      "markup R.") +
                "]",
            TakeTreeText());
}

// Tests that only the first failing sub-markup is reported at a close.
TEST_F(VisuXMLMarkupStreamTest, OnlyFirstFailureAtCloseIsReported) {
  DeclareChain(VisuXMLOnlyOnce);
  Open("R");
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ("R [" +
                Error("The XML markup P must appear only once in the XML "
                      "markup R.") +
                "]",
            TakeTreeText());
}

// Tests that a not-valid sub-markup fails every close of its parent,
// whether it was opened or not.
TEST_F(VisuXMLMarkupStreamTest, NotValidSubMarkupFailsEveryClose) {
  Markup("R", VisuXMLRootMarkup);
  Markup("N");
  Sub("R", "N", VisuXMLNotValid);
  const std::string notValid = Error("The XML markup N is not valid.");
  Open("R");
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ("R [" + notValid + "]", TakeTreeText());
  Open("R");
  EXPECT_EQ(0u, OpenClose("N"));
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ("R [N | " + notValid + "]", TakeTreeText());
}

// Tests that a refused opening leaves the parent's position and counts
// alone, so its only-once sub-markup is still missing at close.
TEST_F(VisuXMLMarkupStreamTest, RefusedOpeningIsNotCounted) {
  DeclareChain(VisuXMLOnlyOnce);
  Open("R");
  OpenClose("P");
  OpenClose("S");
  EXPECT_EQ(1u, OpenClose("Q"));
  Close("R");
  EXPECT_EQ("R [P | S | Q [" +
                Error("Wrong order for the sub-markups of the R markup.") +
                "] | " +
                Error("The XML markup Q must appear only once in the XML "
                      "markup R.") +
                "]",
            TakeTreeText());
}

// Tests that a mismatched close three levels down writes into the top,
// closes only it and leaves the others open.
TEST_F(VisuXMLMarkupStreamTest, CloseMismatchClosesOnlyTheTopMarkup) {
  DeclareChain(static_cast<VisuXMLMarkupToMarkupLink>(3));
  Open("R");
  Open("P");
  Open("Q");
  Open("S");
  EXPECT_EQ(1u, Close("P"));
  EXPECT_EQ(0u, Close("Q"));
  EXPECT_EQ(0u, Close("P"));
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ("R [P [Q [S [" +
                Error("The XML markup to close P doesn't match the last "
                      "opened markup S.") +
                "]]]]",
            TakeTreeText());
}

// Tests that a waiting markup lacking a required attribute takes that
// error first, pushing the close mismatch message out of the document.
TEST_F(VisuXMLMarkupStreamTest, RequiredAttributeErrorWinsOverMismatch) {
  DeclareScene();
  Open("Scene");
  EXPECT_EQ(1u, Close("Nope"));
  EXPECT_EQ("", LastError());
  EXPECT_EQ(
      "Scene(Name=???"
      ") [" +
          Error("The XML attribute Name is required for the XML markup "
                "Scene.") +
          " | " +
          Error("The XML markup Camera must appear only once in the XML "
                "markup Scene.") +
          "]",
      TakeTreeText());
}

// Tests the two attribute errors and the element they go into.
TEST_F(VisuXMLMarkupStreamTest, AttributeErrorsGoIntoTheTopMarkup) {
  DeclareScene();
  Open("Scene");
  Set("Name", "demo");
  EXPECT_EQ(1u, Set("Color", "red"));
  EXPECT_EQ("", LastError());
  EXPECT_EQ(1u, Set("Visible", "1"));
  EXPECT_EQ(0u, OpenClose("Camera"));
  Close("Scene");
  EXPECT_EQ("Scene(Name=demo) [" +
                Error("The XML attribute provided - Color - does not exist.") +
                " | " +
                Error("The XML attribute provided - Visible - is not valid for "
                      "the XML markup Scene.") +
                " | Camera | " +
                Error("The XML markup Object must appear at least once in the "
                      "XML markup Scene.") +
                "]",
            TakeTreeText());
}

// Tests that values and text with nothing open, or with no attribute
// declared at all, are ignored with result 0.
TEST_F(VisuXMLMarkupStreamTest, ValuesWithoutTargetAreIgnored) {
  Markup("R", VisuXMLRootMarkup);
  EXPECT_EQ(0u, Set("Any", "1"));
  EXPECT_EQ(0u, SetText("text"));
  Open("R");
  EXPECT_EQ(0u, Set("Undeclared", "1"));
  Close("R");
  EXPECT_EQ("R", TakeTreeText());
  EXPECT_EQ("", LastError());
}

// Tests that an attribute error on a waiting markup lacking a required
// attribute writes only the required-attribute error.
TEST_F(VisuXMLMarkupStreamTest, RequiredAttributeErrorHidesAttributeError) {
  DeclareScene();
  Open("Scene");
  EXPECT_EQ(1u, Set("Color", "red"));
  EXPECT_EQ("", LastError());
  Close("Scene");
  Tree tree = TakeTree();
  ASSERT_NE(nullptr, tree);
  ASSERT_LE(1u, tree->GetChildCount());
  EXPECT_EQ(Error("The XML attribute Name is required for the XML markup "
                  "Scene."),
            Describe(*tree->GetChildAt(0)));
  EXPECT_EQ(2u, tree->GetChildCount());
}

// Tests that a failing value on a refused markup replaces the waiting
// refusal message, so only the attribute error is written.
TEST_F(VisuXMLMarkupStreamTest, AttributeErrorReplacesPendingRefusal) {
  DeclareChain(static_cast<VisuXMLMarkupToMarkupLink>(3));
  Attribute("Size");
  Open("R");
  OpenClose("Q");
  EXPECT_EQ(1u, Open("P"));
  EXPECT_EQ(1u, Set("Size", "2"));
  Close("P");
  Close("R");
  EXPECT_EQ("R [Q | P [" +
                Error("The XML attribute provided - Size - is not valid for "
                      "the XML markup P.") +
                "]]",
            TakeTreeText());
}

// Tests the three attribute links: required, optional and any other.
TEST_F(VisuXMLMarkupStreamTest, UnsetAttributesFollowTheirLinks) {
  Markup("R", VisuXMLRootMarkup);
  for (const char* name : {"Req", "Opt", "Other", "OptSet"}) Attribute(name);
  Attach("R", "Other", static_cast<VisuXMLAttributeToMarkupLink>(5));
  Attach("R", "Opt", VisuXMLOptionalAttribute);
  Attach("R", "OptSet", VisuXMLOptionalAttribute);
  Attach("R", "Req", VisuXMLRequiredAttribute);
  Open("R");
  Set("OptSet", "x");
  Close("R");
  EXPECT_EQ(
      "R(Other=???, OptSet=x, Req=???"
      ") [" +
          Error("The XML attribute Req is required for the XML markup "
                "R.") +
          "]",
      TakeTreeText());
}

// Tests that attributes are written in attach order, not value order, and
// that the second value of an attribute wins.
TEST_F(VisuXMLMarkupStreamTest, AttributesKeepAttachOrderAndLastValue) {
  Markup("R", VisuXMLRootMarkup);
  for (const char* name : {"X", "Y", "Z"}) {
    Attribute(name);
    Attach("R", name, VisuXMLRequiredAttribute);
  }
  Open("R");
  Set("Z", "3");
  Set("X", "1");
  Set("Y", "2");
  Set("X", "one");
  Close("R");
  EXPECT_EQ("R(X=one, Y=2, Z=3)", TakeTreeText());
}

// Tests that an empty first value counts as set but writes "???", and an
// empty later value keeps the earlier one.
TEST_F(VisuXMLMarkupStreamTest, EmptyValuesCountAsSetButChangeNothing) {
  Markup("R", VisuXMLRootMarkup);
  Attribute("A");
  Attribute("B");
  Attach("R", "A", VisuXMLRequiredAttribute);
  Attach("R", "B", VisuXMLRequiredAttribute);
  Open("R");
  EXPECT_EQ(0u, Set("A", ""));
  EXPECT_EQ(0u, Set("B", "kept"));
  EXPECT_EQ(0u, Set("B", ""));
  Close("R");
  EXPECT_EQ("R(A=???, B=kept)", TakeTreeText());
}

// Tests that values and text given after the element was written never
// reach the document, silently.
TEST_F(VisuXMLMarkupStreamTest, LateValuesAndTextAreDropped) {
  DeclareScene();
  Open("Scene");
  Set("Name", "early");
  SetText("first");
  OpenClose("Light");
  EXPECT_EQ(0u, Set("Name", "late"));
  EXPECT_EQ(0u, SetText("second"));
  Open("Object");
  Set("Name", "o");
  Set("Visible", "1");
  Open("Sky");
  EXPECT_EQ(0u, Set("Visible", "0"));
  SetText("late");
  Close("Object");
  EXPECT_EQ(0u, Close("Scene"));
  EXPECT_EQ("Scene(Name=early) \"first\" [Light | Object(Name=o, Visible=1) [" +
                Error("The XML markup provided - Sky - does not exist.") +
                "] | " +
                Error("The XML markup Camera must appear only once in the XML "
                      "markup Scene.") +
                "]",
            TakeTreeText());
  EXPECT_EQ("", LastError());
}

// Tests that a missing required attribute is reported when the first
// sub-markup opens, even if the value comes afterwards.
TEST_F(VisuXMLMarkupStreamTest, MissingRequiredAttributeReportedAtFirstChild) {
  DeclareScene();
  Open("Scene");
  OpenClose("Camera");
  Set("Name", "too late");
  Open("Object");
  Set("Name", "o");
  Close("Object");
  Close("Scene");
  EXPECT_EQ(
      "Scene(Name=???"
      ") [" +
          Error("The XML attribute Name is required for the XML markup "
                "Scene.") +
          " | Camera | Object(Name=o)]",
      TakeTreeText());
}

// Tests that the latest text is written and an empty text writes none.
TEST_F(VisuXMLMarkupStreamTest, TextIsWrittenOnceAndEmptyMeansNone) {
  Markup("R", VisuXMLRootMarkup);
  Markup("C");
  Sub("R", "C", static_cast<VisuXMLMarkupToMarkupLink>(3));
  Open("R");
  SetText("a");
  SetText("b & <c>");
  Open("C");
  SetText("x");
  SetText("");
  Close("C");
  Close("R");
  EXPECT_EQ("R \"b & <c>\" [C]", TakeTreeText());
}

// Tests that a success leaves an earlier message alone.
TEST_F(VisuXMLMarkupStreamTest, SuccessKeepsThePreviousMessage) {
  DeclareScene();
  Close("Scene");
  Open("Scene");
  Set("Name", "demo");
  EXPECT_EQ("The XML markup history is empty.", LastError());
}

// Tests that the eleventh nested markup enlarges the stack by ten slots.
TEST_F(VisuXMLMarkupStreamTest, EleventhLevelEnlargesTheStack) {
  Markup("R", VisuXMLRootMarkup);
  Markup("N");
  Sub("R", "N", static_cast<VisuXMLMarkupToMarkupLink>(3));
  Sub("N", "N", static_cast<VisuXMLMarkupToMarkupLink>(3));
  EXPECT_EQ(0u, VisuXMLMarkupTestAccess::HistorySize());
  Open("R");
  EXPECT_EQ(10u, VisuXMLMarkupTestAccess::HistorySize());
  for (int level = 2; level <= 10; ++level) EXPECT_EQ(0u, Open("N"));
  EXPECT_EQ(10u, VisuXMLMarkupTestAccess::HistoryDepth());
  EXPECT_EQ(10u, VisuXMLMarkupTestAccess::HistorySize());
  EXPECT_EQ(0u, Open("N"));
  EXPECT_EQ(11u, VisuXMLMarkupTestAccess::HistoryDepth());
  EXPECT_EQ(20u, VisuXMLMarkupTestAccess::HistorySize());
  for (int level = 11; level >= 2; --level) EXPECT_EQ(0u, Close("N"));
  EXPECT_EQ(0u, Close("R"));
  EXPECT_EQ(20u, VisuXMLMarkupTestAccess::HistorySize());
  std::string expected = "N";
  for (int level = 10; level >= 2; --level) expected = "N [" + expected + "]";
  EXPECT_EQ("R [" + expected + "]", TakeTreeText());
}

// Tests that a tree is handed out once, and that no close means no tree.
TEST_F(VisuXMLMarkupStreamTest, TreeIsHandedOutOnce) {
  Markup("R", VisuXMLRootMarkup);
  EXPECT_EQ(nullptr, TakeTree());
  Open("R");
  EXPECT_EQ(nullptr, TakeTree());
  Close("R");
  EXPECT_NE(nullptr, TakeTree());
  EXPECT_EQ(nullptr, TakeTree());
}

// Tests that a second outermost close replaces a tree nobody took.
TEST_F(VisuXMLMarkupStreamTest, LaterOutermostCloseReplacesTheTree) {
  Markup("R", VisuXMLRootMarkup);
  Attribute("Id");
  Attach("R", "Id", VisuXMLRequiredAttribute);
  Open("R");
  Set("Id", "1");
  Close("R");
  Open("R");
  Set("Id", "2");
  Close("R");
  EXPECT_EQ("R(Id=2)", TakeTreeText());
}

// Tests that dropping open markups empties the stream, which then serves
// a new document, while a tree already finished stays available.
TEST_F(VisuXMLMarkupStreamTest, ClearingDropsOpenMarkupsAndKeepsTheTree) {
  DeclareScene();
  Open("Scene");
  Set("Name", "first");
  Close("Scene");
  Open("Scene");
  Set("Name", "dropped");
  Open("Object");
  Set("Visible", "1");
  VisuXMLMarkup::ClearMarkupsHistory();
  EXPECT_EQ(0u, VisuXMLMarkupTestAccess::HistoryDepth());
  EXPECT_EQ(0u, VisuXMLMarkupTestAccess::HistorySize());
  EXPECT_EQ(1u, Close("Scene"));
  Tree first = TakeTree();
  ASSERT_NE(nullptr, first);
  EXPECT_EQ("Scene(Name=first) [" +
                Error("The XML markup Camera must appear only once in the XML "
                      "markup Scene.") +
                "]",
            Describe(*first));
  Open("Scene");
  Set("Name", "again");
  OpenClose("Camera");
  Close("Scene");
  EXPECT_EQ("Scene(Name=again) [Camera | " +
                Error("The XML markup Object must appear at least once in the "
                      "XML markup Scene.") +
                "]",
            TakeTreeText());
}

}  // namespace
