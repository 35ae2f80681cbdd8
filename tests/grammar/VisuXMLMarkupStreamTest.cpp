#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FailingAllocator.h"
#include "GrammarTestSupport.h"
#include "MemoryStreams.h"

namespace {

using Access = VisuXMLMarkupTestAccess;
using GrammarTest::Call;
using GrammarTest::Declare;
using GrammarTest::Grammar;
using GrammarTest::LastError;
using GrammarTest::Stream;
using GrammarTest::TakeTree;
using S = std::string;

// The error elements, as Describe shows them.
S E(const S& message) { return "{" + message + "}"; }
S Undeclared(S m) { return E("The XML markup provided - " + m + " - does not exist."); }
S NotRoot(S m) { return E("The XML markup provided - " + m + " - has not been declared as the root markup."); }
S NotAuthorised(S m, S p) { return E("The XML markup " + m + " is not an authorized sub-markup for " + p + "."); }
S WrongOrder(S p) { return E("Wrong order for the sub-markups of the " + p + " markup."); }
S Required(S a, S m) { return E("The XML attribute " + a + " is required for the XML markup " + m + "."); }
S OnlyOnce(S m, S p) { return E("The XML markup " + m + " must appear only once in the XML markup " + p + "."); }
S AtLeastOnce(S m, S p) { return E("The XML markup " + m + " must appear at least once in the XML markup " + p + "."); }
S NotValid(S m) { return E("The XML markup " + m + " is not valid."); }
S Mismatch(S n, S t) { return E("The XML markup to close " + n + " doesn't match the last opened markup " + t + "."); }
S NoAttribute(S a) { return E("The XML attribute provided - " + a + " - does not exist."); }
S NotInMarkup(S a, S m) {
  return E("The XML attribute provided - " + a + " - is not valid for the XML markup " + m + ".");
}
const S kEmptyHistory = "The XML markup history is empty.";

// Scene (root, Name required) holds Camera (only once), Light (link 3), Object (at least once; Name required,
// Visible optional), in this order.
const S kScene = "@Name @Visible Scene! Camera Light Object Scene@Name:0 Object@Name:0 Object@Visible:1 "
                 "Scene>Camera:0 Scene>Light:3 Scene>Object:1";
// Top holds Alpha, then Beta and Gamma grouped, then Delta.
const S kTop = "Top! Alpha Beta Gamma Delta Top>Alpha:0 Top>Beta:1 Top>Gamma:3 Top>Delta:2 Top{Beta,Gamma}:0";
// R holds P, Q and S with the given link; P may hold Q and Q may hold S.
S Chain(const S& link) { return "R! P Q S R>P:" + link + " R>Q:" + link + " R>S:" + link + " P>Q:3 Q>S:3"; }

struct Row { S name, grammar, script, results, tree, lastError; };

// Draws a grammar and a call sequence from one seeded generator, so that a failing iteration can be replayed.
class RandomDump {
 public:
  explicit RandomDump(unsigned seed) : _Random(seed) {}

  // 2 to 7 markups (M0 the root), up to 5 attributes, attachments with every kind of link, sometimes a group.
  void DeclareGrammar() {
    _NbMarkups = Between(2, 7);
    _NbAttributes = Between(0, 5);
    for (int i = 0; i < _NbMarkups; ++i) Declare("M" + std::to_string(i) + (i == 0 ? "!" : ""));
    for (int i = 0; i < _NbAttributes; ++i) Declare("@a" + std::to_string(i));
    for (int i = Between(0, 12); i > 0; --i) Declare(Pieces({Markup(), ">", Markup(), ":", Link(5)}));
    for (int i = _NbAttributes ? Between(0, 10) : 0; i > 0; --i)
      Declare(Pieces({Markup(), "@", Attribute(), ":", Link(2)}));
    if (Between(0, 1) == 1) Declare(Pieces({Markup(), "{", Markup(), ",", Markup(), "}:", Link(5)}));
  }

  // 80 random calls, then closes what is still open; true when an outermost markup was closed.
  bool Stream() {
    bool closedOutermost = false;
    for (int call = 0; call < 80; ++call) {
      const int kind = Between(0, 9);
      if (kind <= 2) {
        const std::string name = Between(0, 9) == 0 ? "Undeclared" : Markup();
        EXPECT_NE(3u, Call("+" + name));
        if (name != "Undeclared") _Open.push_back(name);
      } else if (kind <= 5) {
        Call(Pieces({_NbAttributes == 0 || Between(0, 9) == 0 ? "undeclared" : Attribute(), "=", Text()}));
      } else if (kind == 6) {
        Call("'" + Text());
      } else {
        closedOutermost |= CloseTop(Between(0, 5) == 0);
      }
    }
    while (!_Open.empty()) closedOutermost |= CloseTop(false);
    return closedOutermost;
  }

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(_Random); }
  std::string Markup() { return "M" + std::to_string(Between(0, _NbMarkups - 1)); }
  std::string Link(int highest) { return std::to_string(Between(0, highest)); }
  // Braced lists draw their pieces in order, so that a seed always gives the same dump.
  static S Pieces(std::initializer_list<S> pieces) {
    S out;
    for (const S& piece : pieces) out += piece;
    return out;
  }
  std::string Attribute() { return "a" + std::to_string(Between(0, _NbAttributes - 1)); }
  // Markup characters, spaces and non-ASCII letters.
  std::string Text() {
    static const char* const pieces[] = {"a", "Z", "7", " ", "&", "<", ">", "\"", "'", "\xC3\xA9", "-", "."};
    std::string text;
    for (int i = Between(0, 6); i > 0; --i) text += pieces[Between(0, 11)];
    return text;
  }
  // Closes the top markup, under a wrong name when asked; true when it was the outermost.
  bool CloseTop(bool wrongName) {
    EXPECT_TRUE(!_Open.empty() || Call("-M0") == 1u);
    if (_Open.empty()) return false;
    EXPECT_EQ(wrongName ? 1u : 0u, Call("-" + (wrongName ? std::string("Wrong") : _Open.back())));
    _Open.pop_back();
    return _Open.empty();
  }

  std::mt19937 _Random;
  int _NbMarkups = 0, _NbAttributes = 0;
  std::vector<std::string> _Open;
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

// Tests the scene and group dumps and members' own counts, down to the whole tree, handed out once, and the message.
TEST_F(VisuXMLMarkupStreamTest, SceneAndGroupDumpsBuildTheWholeTree) {
  Check({{"scene", kScene, "+Scene Name=demo +Object Visible=1 -Object +Camera -Camera -Scene", "00000100",
          "Scene(Name=demo) [Object(Name=???, Visible=1) [" + Required("Name", "Object") + "] | Camera [" +
              WrongOrder("Scene") + "] | " + OnlyOnce("Camera", "Scene") + "]", ""},
         {"top", kTop, "+Top *Alpha *Gamma *Beta *Gamma *Delta *Beta -Top", "00000000000100",
          "Top [Alpha | Gamma | Beta | Gamma | Delta | Beta [" + WrongOrder("Top") + "]]", ""},
         {"members keep their own counts, the group's link is never tested",
          "Top! Alpha Beta Gamma Delta Top>Alpha:3 Top>Beta:0 Top>Gamma:0 Top>Delta:3 Top{Gamma,Beta}:4",
          "+Top *Beta *Gamma *Gamma *Delta *Beta *Alpha -Top", "00000000010100",
          "Top [Beta | Gamma | Gamma | Delta | Beta [" + WrongOrder("Top") + "] | Alpha [" + WrongOrder("Top") +
              "] | " + OnlyOnce("Gamma", "Top") + "]", ""}});
}

// Tests each stream error: its result, the element it goes into, and the message left readable; clearing
// drops open markups without a tree.
TEST_F(VisuXMLMarkupStreamTest, ErrorsGoIntoTheirElement) {
  Check({{"nothing open", kScene, "-Scene", "1", "<no tree>", kEmptyHistory},
         {"undeclared outermost", kScene, "+Sky", "1", "<no tree>", "The XML markup provided - Sky - does not exist."},
         {"undeclared inside, then closed under its name", kScene, "+Scene Name=demo +Sky -Sky -Scene", "00111",
          "Scene(Name=demo) [" + Undeclared("Sky") + " | " + Mismatch("Sky", "Scene") + " | " +
              OnlyOnce("Camera", "Scene") + "]", kEmptyHistory},
         {"outermost not the root", kScene, "+Object Visible=0 'body -Object", "1000",
          "Object(Name=???, Visible=0) \"body\" [" + NotRoot("Object") + "]", ""},
         {"refused markup stays open and is tested itself", kScene + " Light>Camera:1",
          "+Scene Name=demo +Light +Object Name=n -Object -Light -Scene", "00010000",
          "Scene(Name=demo) [Light [Object(Name=n) [" + NotAuthorised("Object", "Light") + "] | " +
              AtLeastOnce("Camera", "Light") + "] | " + OnlyOnce("Camera", "Scene") + "]", ""},
         {"root inside a markup", Chain("3"), "+R +R -R -R", "0100", "R [R [" + NotAuthorised("R", "R") + "]]", ""},
         {"close mismatch three levels down", Chain("3"), "+R +P +Q +S -P -Q -P -R", "00001000",
          "R [P [Q [S [" + Mismatch("P", "S") + "]]]]", ""},
         {"required attribute pushes out the mismatch", kScene, "+Scene -Nope", "01",
          "Scene(Name=??\?) [" + Required("Name", "Scene") + " | " + OnlyOnce("Camera", "Scene") + "]", ""},
         {"attribute errors", kScene, "+Scene Name=demo Color=red Visible=1 *Camera -Scene", "0011000",
          "Scene(Name=demo) [" + NoAttribute("Color") + " | " + NotInMarkup("Visible", "Scene") + " | Camera | " +
              AtLeastOnce("Object", "Scene") + "]", ""},
         {"required attribute hides the attribute error", kScene, "+Scene Color=red -Scene", "010",
          "Scene(Name=??\?) [" + Required("Name", "Scene") + " | " + OnlyOnce("Camera", "Scene") + "]", ""},
         {"attribute error replaces a pending refusal", Chain("3") + " @Size", "+R *Q +P Size=2 -P -R", "0001100",
          "R [Q | P [" + NotInMarkup("Size", "P") + "]]", ""},
         {"success keeps the message", kScene, "-Scene +Scene Name=demo", "100", "<no tree>", kEmptyHistory},
         {"clearing drops open markups, not a finished tree", kScene,
          "+Scene Name=first *Camera *Object -Scene +Scene Name=dropped +Object Visible=1 ~ -Scene", "0000000000001",
          "Scene(Name=first) [Camera | Object(Name=??\?) [" + Required("Name", "Object") + "]]", kEmptyHistory},
         {"the stream serves again after clearing", kScene,
          "+Scene Name=dropped +Object Visible=1 ~ +Scene Name=again *Camera *Object -Scene", "000000000000",
          "Scene(Name=again) [Camera | Object(Name=??\?) [" + Required("Name", "Object") + "]]", ""}});
}

// Tests chain order and the counts tested at close: repeats, passing over, refusals not counted, first failure.
TEST_F(VisuXMLMarkupStreamTest, SubMarkupsFollowOrderAndCounts) {
  Check({{"order", Chain("3"), "+R *Q *Q *S *S *Q *P -R", "00000000010100",
          "R [Q | Q | S | S | Q [" + WrongOrder("R") + "] | P [" + WrongOrder("R") + "]]", ""},
         {"passed over, at least once", Chain("1"), "+R *Q *S -R", "000000",
          "R [Q | S | " + AtLeastOnce("P", "R") + "]", ""},
         {"refused opening not counted", Chain("0"), "+R *P *S *Q -R", "00000100",
          "R [P | S | Q [" + WrongOrder("R") + "] | " + OnlyOnce("Q", "R") + "]", ""},
         {"only once, twice", Chain("0"), "+R *P *P *Q *S -R", "0000000000",
          "R [P | P | Q | S | " + OnlyOnce("P", "R") + "]", ""},
         {"first failure only", Chain("0"), "+R -R", "00", "R [" + OnlyOnce("P", "R") + "]", ""},
         {"not valid, not opened", "R! N R>N:4", "+R -R", "00", "R [" + NotValid("N") + "]", ""},
         {"not valid, opened", "R! N R>N:4", "+R *N -R", "0000", "R [N | " + NotValid("N") + "]", ""}});
}

// Tests attribute links, value and text timing, and the tree replaced by a later outermost close.
TEST_F(VisuXMLMarkupStreamTest, ValuesAndTextsReachTheElementWhileItWaits) {
  const S links = "R! @Req @Opt @Other @OptSet R@Other:5 R@Opt:1 R@OptSet:1 R@Req:0";
  Check({{"links", links, "+R OptSet=x -R", "000", "R(Other=???, OptSet=x, Req=??\?) [" + Required("Req", "R") + "]",
          ""},
         {"attach order, last value", "R! @X @Y @Z R@X:0 R@Y:0 R@Z:0", "+R Z=3 X=1 Y=2 X=one -R", "000000",
          "R(X=one, Y=2, Z=3)", ""},
         {"empty values", "R! @A @B R@A:0 R@B:0", "+R A= B=kept B= -R", "00000", "R(A=???, B=kept)", ""},
         {"late values and texts", kScene,
          "+Scene Name=early 'first *Light Name=late 'second +Object Name=o Visible=1 +Sky Visible=0 'late "
          "-Object -Scene", "000000000010000",
          "Scene(Name=early) \"first\" [Light | Object(Name=o, Visible=1) [" + Undeclared("Sky") + "] | " +
              OnlyOnce("Camera", "Scene") + "]", ""},
         {"required reported at the first child", kScene, "+Scene *Camera Name=late +Object Name=o -Object -Scene",
          "00000000", "Scene(Name=??\?) [" + Required("Name", "Scene") + " | Camera | Object(Name=o)]", ""},
         {"texts", "R! C R>C:3", "+R 'a 'b&<c> +C 'x ' -C -R", "00000000", "R \"b&<c>\" [C]", ""},
         {"no target", "R!", "Any=1 'text +R Undeclared=1 -R", "00000", "R", ""},
         {"later outermost close replaces the tree", "R! @Id R@Id:0", "+R Id=1 -R +R Id=2 -R", "000000", "R(Id=2)",
          ""}});
}

// Tests that the eleventh nested markup enlarges the stack from 10 to 20 slots, which closing keeps, and that no
// tree is handed out while the outermost markup is open.
TEST_F(VisuXMLMarkupStreamTest, EleventhLevelEnlargesTheStack) {
  Grammar("R! N R>N:3 N>N:3");
  EXPECT_EQ(0u, Access::StackSize());
  EXPECT_EQ("0000000000", Stream("+R +N +N +N +N +N +N +N +N +N"));
  EXPECT_EQ(10u, Access::StackSize());
  EXPECT_EQ("<no tree>", TakeTree());
  EXPECT_EQ("0", Stream("+N"));
  EXPECT_EQ(11u, Access::Depth());
  EXPECT_EQ(20u, Access::StackSize());
  EXPECT_EQ("00000000000", Stream("-N -N -N -N -N -N -N -N -N -N -R"));
  EXPECT_EQ(20u, Access::StackSize());
  EXPECT_EQ("R [N [N [N [N [N [N [N [N [N [N]]]]]]]]]]", TakeTree());
}

// Tests every allocation of a dump failing in turn: a 3 pushes nothing, else the unhindered tree (or none) results.
TEST_F(VisuXMLMarkupStreamTest, AllocationFailuresLeaveTheStreamUsable) {
  Grammar("@Id @Size R! A B C N R@Id:0 A@Size:1 R>A:0 R>B:1 R>C:3 A>C:3 R{B,C}:3 R>N:3 N>N:3");
  const auto calls = GrammarTest::Split("+R Id=7 +A Size=2 Size=3 +C -C -A +C -C +B -B +A -A "
                                        "+N +N +N +N +N +N +N +N +N +N -N -N -N -N -N -N -N -N -N -N -R");
  const S unhindered =
      "R(Id=7) [A(Size=3) [C] | C | B | A [" + WrongOrder("R") + "] | N [N [N [N [N [N [N [N [N [N]]]]]]]]]]";
  for (std::size_t failAt = 1;; ++failAt) {
    SCOPED_TRACE(failAt);
    bool memory = false, lastCloseFailed = false;
    {
      ScopedAllocationFailure failure(failAt);
      for (const S& call : calls) {
        const std::uint32_t depth = Access::Depth();
        const bool firedBefore = FailingAllocator::Fired();
        const VisuXMLError result = Call(call);
        lastCloseFailed = !firedBefore && FailingAllocator::Fired() && &call == &calls.back();
        EXPECT_TRUE(result != 3 || depth == Access::Depth()) << call;
        memory |= result == 3;
      }
    }
    const S tree = TakeTree();
    VisuXMLMarkup::ClearMarkupsHistory();
    if (!FailingAllocator::Fired()) {
      EXPECT_EQ(unhindered, tree);
      EXPECT_GT(failAt, 10u);
      break;
    }
    if (!memory) {
      EXPECT_EQ(lastCloseFailed ? "<no tree>" : unhindered, tree);
    }
  }
}

// Tests random dumps: well-formed error elements, and the host writer's text read back by the host parser unchanged.
TEST_F(VisuXMLMarkupStreamTest, EveryDumpRoundTripsThroughTheHostXml) {
  for (unsigned iteration = 0; iteration < 300; ++iteration) {
    SCOPED_TRACE(iteration);
    GrammarTest::Reset();
    RandomDump dump(20261206 + iteration);
    dump.DeclareGrammar();
    const bool closedOutermost = dump.Stream();
    GrammarTest::Tree tree(VisuXMLMarkup::GetXMLStreamNode());
    ASSERT_EQ(closedOutermost, tree != nullptr);
    if (tree == nullptr) continue;
    const std::string described = GrammarTest::Describe(*tree);
    EXPECT_EQ(std::string::npos, described.find("VisuXMLError")) << described;
    EXPECT_EQ(std::string::npos, described.find("{}")) << described;
    std::string xml;
    ASSERT_TRUE(WriteText(*tree, xml));
    MOKLightXmlElement readBack;
    ASSERT_TRUE(ParseText(xml, readBack)) << xml;
    EXPECT_TRUE(SameTree(*tree, readBack, true)) << xml;
    EXPECT_EQ(described, GrammarTest::Describe(readBack));
  }
}

}  // namespace
