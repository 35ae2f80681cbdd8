#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "MemoryStreams.h"
#include "StreamTestSupport.h"

namespace {

using StreamTestSupport::Describe;
using StreamTestSupport::Text;
using StreamTestSupport::Tree;

constexpr int kIterations = 300;
constexpr int kCallsPerDump = 80;

// Draws grammars and call sequences from one seeded generator, so that a
// failure can be replayed from its iteration number.
class RandomDump {
 public:
  explicit RandomDump(std::uint32_t seed) : _Random(seed) {}

  // Declares 2 to 7 markups (the first one the root), up to 5 attributes,
  // random attachments with every kind of link, and sometimes a group.
  void DeclareGrammar() {
    _Markups.clear();
    _Attributes.clear();
    const int nbMarkups = Between(2, 7);
    for (int i = 0; i < nbMarkups; ++i) {
      _Markups.push_back("M" + std::to_string(i));
      VisuXMLMarkup::CreateXMLMarkup(
          _Markups.back().c_str(),
          i == 0 ? VisuXMLRootMarkup : VisuXMLStandardMarkup);
    }
    for (int i = 0, n = Between(0, 5); i < n; ++i) {
      _Attributes.push_back("a" + std::to_string(i));
      VisuXMLAttribute::CreateXMLAttribute(_Attributes.back().c_str(),
                                           VisuXMLTextAttribute);
    }
    for (int i = 0, n = Between(0, 12); i < n; ++i) {
      VisuXMLMarkup::AttachMarkup(
          Pick(_Markups).c_str(), Pick(_Markups).c_str(),
          static_cast<VisuXMLMarkupToMarkupLink>(Between(0, 5)));
    }
    for (int i = 0, n = _Attributes.empty() ? 0 : Between(0, 10); i < n; ++i) {
      VisuXMLMarkup::AttachAttribute(
          Pick(_Markups).c_str(), Pick(_Attributes).c_str(),
          static_cast<VisuXMLAttributeToMarkupLink>(Between(0, 2)));
    }
    if (Between(0, 1) == 1) DeclareGroup();
  }

  // Streams random calls, then closes what is still open; returns the
  // number of outermost markups that were closed.
  int Stream() {
    std::vector<std::string> open;
    int outermostCloses = 0;
    for (int call = 0; call < kCallsPerDump; ++call) {
      const int kind = Between(0, 9);
      if (kind <= 2) {
        const std::string name =
            Between(0, 9) == 0 ? "Undeclared" : Pick(_Markups);
        const VisuXMLError result = VisuXMLMarkup::OpenMarkup(name.c_str());
        EXPECT_NE(3u, result);
        if (name != "Undeclared") open.push_back(name);
      } else if (kind <= 5) {
        const std::string name = _Attributes.empty() || Between(0, 9) == 0
                                     ? "undeclared"
                                     : Pick(_Attributes);
        VisuXMLMarkup::SetAttributeValue(name.c_str(), RandomText().c_str());
      } else if (kind == 6) {
        VisuXMLMarkup::SetText(RandomText().c_str());
      } else {
        outermostCloses += CloseOne(open, Between(0, 5) == 0);
      }
    }
    while (!open.empty()) outermostCloses += CloseOne(open, false);
    return outermostCloses;
  }

 private:
  int Between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(_Random);
  }
  const std::string& Pick(const std::vector<std::string>& names) {
    return names[static_cast<std::size_t>(
        Between(0, static_cast<int>(names.size()) - 1))];
  }

  // Texts mix markup characters, spaces and non-ASCII letters.
  std::string RandomText() {
    static const std::vector<std::string> pieces = {
        "a", "Z", "7", " ", "&", "<", ">", "\"", "'", "\xC3\xA9", "-", "."};
    std::string text;
    for (int i = 0, n = Between(0, 6); i < n; ++i) text += Pick(pieces);
    return text;
  }

  void DeclareGroup() {
    std::vector<MOKUnicodeString> names;
    for (int i = 0, n = Between(1, 3); i < n; ++i) {
      names.emplace_back(Pick(_Markups).c_str());
    }
    VisuXMLMarkup::RegroupMarkups(
        Pick(_Markups).c_str(), names.data(),
        static_cast<std::uint32_t>(names.size()),
        static_cast<VisuXMLMarkupToMarkupLink>(Between(0, 5)));
  }

  // Closes the top markup, under a wrong name when asked; 1 when it was
  // the outermost one.
  int CloseOne(std::vector<std::string>& open, bool wrongName) {
    if (open.empty()) {
      EXPECT_EQ(1u, VisuXMLMarkup::CloseMarkup("M0"));
      return 0;
    }
    const std::string name = wrongName ? "Wrong" : open.back();
    EXPECT_EQ(wrongName ? 1u : 0u, VisuXMLMarkup::CloseMarkup(name.c_str()));
    open.pop_back();
    return open.empty() ? 1 : 0;
  }

  std::mt19937 _Random;
  std::vector<std::string> _Markups;
  std::vector<std::string> _Attributes;
};

// Every error element is a leaf with a message and no attributes.
void ExpectWellFormedErrors(const MOKLightXmlElement& element) {
  if (Text(element.GetName()) == "VisuXMLError") {
    EXPECT_NE(0, element.GetValue().GetLengthInByte());
    EXPECT_EQ(0u, element.GetAttributeCount());
    EXPECT_EQ(0u, element.GetChildCount());
    return;
  }
  for (std::size_t i = 0; i < element.GetChildCount(); ++i) {
    ExpectWellFormedErrors(*element.GetChildAt(i));
  }
}

class VisuXMLMarkupStreamRandomTest : public StreamTestSupport::StreamFixture {
};

// Tests random call sequences on random grammars: each closes into a tree
// that the host writer writes and the host parser reads back unchanged.
TEST_F(VisuXMLMarkupStreamRandomTest, EveryDumpRoundTripsThroughTheHostXml) {
  for (int iteration = 0; iteration < kIterations; ++iteration) {
    SCOPED_TRACE("iteration " + std::to_string(iteration));
    RandomDump dump(static_cast<std::uint32_t>(20261206 + iteration));
    dump.DeclareGrammar();
    const int outermostCloses = dump.Stream();
    Tree tree = TakeTree();
    ASSERT_EQ(outermostCloses > 0, tree != nullptr);
    if (tree != nullptr) {
      ExpectWellFormedErrors(*tree);
      std::string xml;
      ASSERT_TRUE(WriteText(*tree, xml));
      MOKLightXmlElement readBack;
      ASSERT_TRUE(ParseText(xml, readBack)) << xml;
      EXPECT_TRUE(SameTree(*tree, readBack, true)) << xml;
      EXPECT_EQ(Describe(*tree), Describe(readBack));
    }
    StreamTestSupport::ResetGrammarAndStream();
  }
}

}  // namespace
