#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GrammarTestSupport.h"
#include "MemoryStreams.h"

namespace {

using GrammarTest::Call;
using GrammarTest::Declare;

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
  static std::string Pieces(std::initializer_list<std::string> pieces) {
    std::string out;
    for (const std::string& piece : pieces) out += piece;
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
    if (_Open.empty()) {
      EXPECT_EQ(1u, Call("-M0"));
      return false;
    }
    EXPECT_EQ(wrongName ? 1u : 0u, Call("-" + (wrongName ? std::string("Wrong") : _Open.back())));
    _Open.pop_back();
    return _Open.empty();
  }

  std::mt19937 _Random;
  int _NbMarkups = 0, _NbAttributes = 0;
  std::vector<std::string> _Open;
};

class VisuXMLMarkupStreamRandomTest : public GrammarTest::Fixture {};

// Tests random dumps: well-formed error elements, and the host writer's text read back by the host parser unchanged.
TEST_F(VisuXMLMarkupStreamRandomTest, EveryDumpRoundTripsThroughTheHostXml) {
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
