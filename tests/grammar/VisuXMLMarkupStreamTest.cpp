#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GrammarTestSupport.h"

namespace {

using GrammarTest::Declare;
using GrammarTest::Grammar;
using GrammarTest::LastError;
using GrammarTest::Stream;
using GrammarTest::TakeTree;
using S = std::string;

// The error element of a message, as Describe shows it: a function of the
// names that take the places of the message's "%" marks, in order.
auto Error(const char* message) {
  return [message](const S& first, const S& second = "") {
    S text = message;
    for (const S* name : {&first, &second})
      if (const std::size_t at = text.find('%'); at != S::npos)
        text.replace(at, 1, *name);
    return "{" + text + "}";
  };
}
const auto Undeclared = Error("The XML markup provided - % - does not exist.");
const auto NotRoot = Error(
    "The XML markup provided - % - has not been declared as the root markup.");
const auto NotAuthorised =
    Error("The XML markup % is not an authorized sub-markup for %.");
const auto WrongOrder =
    Error("Wrong order for the sub-markups of the % markup.");
const auto Required =
    Error("The XML attribute % is required for the XML markup %.");
const auto OnlyOnce =
    Error("The XML markup % must appear only once in the XML markup %.");
const auto AtLeastOnce =
    Error("The XML markup % must appear at least once in the XML markup %.");
const auto NotValid = Error("The XML markup % is not valid.");
const auto Mismatch =
    Error("The XML markup to close % doesn't match the last opened markup %.");
const auto NoAttribute =
    Error("The XML attribute provided - % - does not exist.");
const auto NotInMarkup = Error(
    "The XML attribute provided - % - is not valid for the XML markup %.");
const S kEmptyHistory = "The XML markup history is empty.";

// Scene (root, Name required) holds Camera (only once), Light (link 3), Object
// (at least once; Name required, Visible optional), in this order.
const S kScene =
    "@Name @Visible Scene! Camera Light Object Scene@Name:0 Object@Name:0 "
    "Object@Visible:1 Scene>Camera:0 Scene>Light:3 Scene>Object:1";
// Top holds Alpha, then Beta and Gamma grouped, then Delta.
const S kTop =
    "Top! Alpha Beta Gamma Delta Top>Alpha:0 Top>Beta:1 Top>Gamma:3 "
    "Top>Delta:2 Top{Beta,Gamma}:0";
// R holds P, Q and S with the given link; P may hold Q and Q may hold S.
S Chain(const S& link) {
  return "R! P Q S R>P:" + link + " R>Q:" + link + " R>S:" + link +
         " P>Q:3 Q>S:3";
}

struct Row {
  S name, grammar, script, results, tree, lastError;
};

class VisuXMLMarkupStreamTest : public GrammarTest::Fixture {
 protected:
  static void Check(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.name);
      GrammarTest::Reset();
      Grammar(row.grammar);
      EXPECT_EQ(row.results, Stream(row.script));
      EXPECT_EQ(row.tree, TakeTree());
      EXPECT_EQ("<no tree>", TakeTree());
      EXPECT_EQ(row.lastError, LastError());
    }
  }
};

// Tests the scene and group dumps and members' own counts, down to the whole
// tree, handed out once, and the message.
TEST_F(VisuXMLMarkupStreamTest, SceneAndGroupDumpsBuildTheWholeTree) {
  Check({{"scene", kScene,
          "+Scene Name=demo +Object Visible=1 -Object +Camera -Camera -Scene",
          "00000100",
          "Scene(Name=demo) [Object(Name=???, Visible=1) [" +
              Required("Name", "Object") + "] | Camera [" +
              WrongOrder("Scene") + "] | " + OnlyOnce("Camera", "Scene") + "]",
          ""},
         {"top", kTop, "+Top *Alpha *Gamma *Beta *Gamma *Delta *Beta -Top",
          "00000000000100",
          "Top [Alpha | Gamma | Beta | Gamma | Delta | Beta [" +
              WrongOrder("Top") + "]]",
          ""},
         {"members keep their own counts, the group's link is never tested",
          "Top! Alpha Beta Gamma Delta Top>Alpha:3 Top>Beta:0 Top>Gamma:0 "
          "Top>Delta:3 Top{Gamma,Beta}:4",
          "+Top *Beta *Gamma *Gamma *Delta *Beta *Alpha -Top", "00000000010100",
          "Top [Beta | Gamma | Gamma | Delta | Beta [" + WrongOrder("Top") +
              "] | Alpha [" + WrongOrder("Top") + "] | " +
              OnlyOnce("Gamma", "Top") + "]",
          ""}});
}

// Tests each stream error: its result, the element it goes into, and the
// message left readable; clearing drops open markups without a tree.
TEST_F(VisuXMLMarkupStreamTest, ErrorsGoIntoTheirElement) {
  Check(
      {{"nothing open", kScene, "-Scene", "1", "<no tree>", kEmptyHistory},
       {"nothing declared", "", "Color=x 't +Scene -Scene", "0011", "<no tree>",
        kEmptyHistory},
       {"undeclared outermost", kScene, "+Sky", "1", "<no tree>",
        "The XML markup provided - Sky - does not exist."},
       {"undeclared inside, then closed under its name", kScene,
        "+Scene Name=demo +Sky -Sky -Scene", "00111",
        "Scene(Name=demo) [" + Undeclared("Sky") + " | " +
            Mismatch("Sky", "Scene") + " | " + OnlyOnce("Camera", "Scene") +
            "]",
        kEmptyHistory},
       {"outermost not the root", kScene, "+Object Visible=0 'body -Object",
        "1000",
        "Object(Name=???, Visible=0) \"body\" [" + NotRoot("Object") + "]", ""},
       {"refused markup stays open and is tested itself",
        kScene + " Light>Camera:1",
        "+Scene Name=demo +Light +Object Name=n -Object -Light -Scene",
        "00010000",
        "Scene(Name=demo) [Light [Object(Name=n) [" +
            NotAuthorised("Object", "Light") + "] | " +
            AtLeastOnce("Camera", "Light") + "] | " +
            OnlyOnce("Camera", "Scene") + "]",
        ""},
       {"root inside a markup", Chain("3"), "+R +R -R -R", "0100",
        "R [R [" + NotAuthorised("R", "R") + "]]", ""},
       {"close mismatch three levels down", Chain("3"),
        "+R +P +Q +S -P -Q -P -R", "00001000",
        "R [P [Q [S [" + Mismatch("P", "S") + "]]]]", ""},
       {"required attribute pushes out the mismatch", kScene, "+Scene -Nope",
        "01",
        "Scene(Name=??\?) [" + Required("Name", "Scene") + " | " +
            OnlyOnce("Camera", "Scene") + "]",
        ""},
       {"attribute errors", kScene,
        "+Scene Name=demo Color=red Visible=1 *Camera -Scene", "0011000",
        "Scene(Name=demo) [" + NoAttribute("Color") + " | " +
            NotInMarkup("Visible", "Scene") + " | Camera | " +
            AtLeastOnce("Object", "Scene") + "]",
        ""},
       {"required attribute hides the attribute error", kScene,
        "+Scene Color=red -Scene", "010",
        "Scene(Name=??\?) [" + Required("Name", "Scene") + " | " +
            OnlyOnce("Camera", "Scene") + "]",
        ""},
       {"attribute error replaces a pending refusal", Chain("3") + " @Size",
        "+R *Q +P Size=2 -P -R", "0001100",
        "R [Q | P [" + NotInMarkup("Size", "P") + "]]", ""},
       {"success keeps the message", kScene, "-Scene +Scene Name=demo", "100",
        "<no tree>", kEmptyHistory},
       {"clearing drops open markups, not a finished tree", kScene,
        "+Scene Name=first *Camera *Object -Scene +Scene Name=dropped +Object "
        "Visible=1 ~ -Scene",
        "0000000000001",
        "Scene(Name=first) [Camera | Object(Name=??\?) [" +
            Required("Name", "Object") + "]]",
        kEmptyHistory},
       {"the stream serves again after clearing", kScene,
        "+Scene Name=dropped +Object Visible=1 ~ +Scene Name=again *Camera "
        "*Object -Scene",
        "000000000000",
        "Scene(Name=again) [Camera | Object(Name=??\?) [" +
            Required("Name", "Object") + "]]",
        ""}});
}

// Tests chain order and the counts tested at close: repeats, passing over,
// refusals not counted, first failure.
TEST_F(VisuXMLMarkupStreamTest, SubMarkupsFollowOrderAndCounts) {
  Check(
      {{"order", Chain("3"), "+R *Q *Q *S *S *Q *P -R", "00000000010100",
        "R [Q | Q | S | S | Q [" + WrongOrder("R") + "] | P [" +
            WrongOrder("R") + "]]",
        ""},
       {"passed over, at least once", Chain("1"), "+R *Q *S -R", "000000",
        "R [Q | S | " + AtLeastOnce("P", "R") + "]", ""},
       {"refused opening not counted", Chain("0"), "+R *P *S *Q -R", "00000100",
        "R [P | S | Q [" + WrongOrder("R") + "] | " + OnlyOnce("Q", "R") + "]",
        ""},
       {"only once, twice", Chain("0"), "+R *P *P *Q *S -R", "0000000000",
        "R [P | P | Q | S | " + OnlyOnce("P", "R") + "]", ""},
       {"first failure only", Chain("0"), "+R -R", "00",
        "R [" + OnlyOnce("P", "R") + "]", ""},
       {"a markup holding itself", "R! A R>A:3 A>A:3", "+R +A *A -A -R",
        "000000", "R [A [A]]", ""},
       {"not valid, not opened", "R! N R>N:4", "+R -R", "00",
        "R [" + NotValid("N") + "]", ""},
       {"not valid, opened", "R! N R>N:4", "+R *N -R", "0000",
        "R [N | " + NotValid("N") + "]", ""}});
}

// Tests attribute links, value and text timing, and the tree replaced by a
// later outermost close.
TEST_F(VisuXMLMarkupStreamTest, ValuesAndTextsReachTheElementWhileItWaits) {
  const S links =
      "R! @Req @Opt @Other @OptSet R@Other:5 R@Opt:1 R@OptSet:1 R@Req:0";
  Check(
      {{"links", links, "+R OptSet=x -R", "000",
        "R(Other=???, OptSet=x, Req=??\?) [" + Required("Req", "R") + "]", ""},
       {"attach order, last value", "R! @X @Y @Z R@X:0 R@Y:0 R@Z:0",
        "+R Z=3 X=1 Y=2 X=one -R", "000000", "R(X=one, Y=2, Z=3)", ""},
       {"empty values", "R! @A @B R@A:0 R@B:0", "+R A= B=kept B= -R", "00000",
        "R(A=???, B=kept)", ""},
       {"late values and texts", kScene,
        "+Scene Name=early 'first *Light Name=late 'second +Object Name=o "
        "Visible=1 +Sky Visible=0 'late -Object -Scene",
        "000000000010000",
        "Scene(Name=early) \"first\" [Light | Object(Name=o, Visible=1) [" +
            Undeclared("Sky") + "] | " + OnlyOnce("Camera", "Scene") + "]",
        ""},
       {"required reported at the first child", kScene,
        "+Scene *Camera Name=late +Object Name=o -Object -Scene", "00000000",
        "Scene(Name=??\?) [" + Required("Name", "Scene") +
            " | Camera | Object(Name=o)]",
        ""},
       {"texts", "R! C R>C:3", "+R 'a 'b&<c> +C 'x ' -C -R", "00000000",
        "R \"b&<c>\" [C]", ""},
       {"no target", "R!", "Any=1 'text +R Undeclared=1 -R", "00000", "R", ""},
       {"later outermost close replaces the tree", "R! @Id R@Id:0",
        "+R Id=1 -R +R Id=2 -R", "000000", "R(Id=2)", ""}});
}

}  // namespace
