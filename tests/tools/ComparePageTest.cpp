#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReplayFolders.h"

namespace {

// A scene of that many objects, the one at changed (1-based) moved.
std::string Scene(int objects, int changed, int depth = 0) {
  std::string text = "<S>";
  for (int i = 1; i <= objects; ++i)
    text += "<O N=\"o" + std::to_string(i) + "\" X=\"" +
            (i == changed ? "1.5" : "1") + "\"/>";
  for (int level = 0; level < depth; ++level) text += "<D>";
  if (depth > 0) text += changed > 0 ? "<V X=\"2\"/>" : "<V X=\"3\"/>";
  for (int level = 0; level < depth; ++level) text += "</D>";
  return text + "</S>";
}

class ComparePageTest : public ReplayFolders {
 protected:
  // Compares the documents with --html and the options; the page's body.
  int Compare(const std::string& reference, const std::string& output,
              std::vector<std::string> args = {}) {
    args.insert(args.end(), {"--html", _Page});
    const int status = ReplayFolders::Compare(reference, output, args);
    const std::string page = ReadWholeFile(_Page);
    _Body = page.substr(std::min(page.find("<body>"), page.size()));
    return status;
  }
  const std::string _Page = _Dir.File("page.html");
  std::string _Body;
};

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + 1))
    ++count;
  return count;
}

// Tests the rows the page's script lays out, for known documents: values
// side by side with their gaps, the reduced tree with the children it
// leaves out, values escaped and cut at a character, deep documents shown
// by their nearest levels; and the pages of identical dumps and of dumps
// not compared.
TEST_F(ComparePageTest, ShowsTheDifferencesInTheReducedTree) {
  const std::string cut = "\xE2\x80\xA6 (";
  const struct {
    std::string reference, output;
    std::vector<std::string> shown;
  } cases[] = {
      {Scene(5, 0),
       Scene(5, 3),
       {"[0,0,\"/S\",0,0,0,4,[]]",
        "[0,1,\"O[3]\",1,0,0,0,[\"N\",\"o3\",0,\"X\",\"1\",1]]",
        "[1,2,\"changed\",\"@X\",\"1\",\"1.5\",\"0.5\",\"50%\",\"number\"]"}},
      {"<S A=\"&lt;/script&gt; &amp; &quot;\"/>",
       "<S A=\"" + std::string(300, 'v') + "\"/>",
       {"[1,1,\"changed\",\"@A\",\"\\u003c/script\\u003e \\u0026 \\\"\",\"" +
        std::string(200, 'v') + cut + "100 more bytes)\",\"\",\"\",\"text\"]"}},
      {"<S A=\"" + std::string(199, 'v') + "\xC3\xA9\"/>",
       "<S/>",
       {"[1,1,\"missing-attribute\",\"@A\",\"" + std::string(199, 'v') + cut +
        "2 more bytes)\",null,"}},
      {Scene(0, 0, 40),
       Scene(0, 1, 40),
       {"[0,1,\"D[1]\",0,30,0,0,[]]",
        "[1,12,\"changed\",\"@X\",\"3\",\"2\",\"1\",\"33.3333%\""}},
      {"<S/>", "<S/>", {"Every dump is the same as its reference."}},
      {"<S>",
       "<S/>",
       {"<span class=\"o\">not compared</span>", "<p class=\"trouble\">"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output.substr(0, 60));
    Compare(c.reference, c.output, {"-q", "-n"});
    EXPECT_EQ(Count(_Body, "</script>"), Count(_Body, "<script"));
    for (const std::string& part : c.shown)
      EXPECT_NE(_Body.find(part), std::string::npos) << part << "\n" << _Body;
  }
}

// Tests that the page grows with the differences, not with the documents:
// one difference among 10 or 100,000 objects gives pages of a few kB,
// script and style included, that differ only by the count of children
// left out.
TEST_F(ComparePageTest, GrowsWithTheDifferencesNotTheDocuments) {
  std::vector<std::size_t> sizes;
  for (const int objects : {10, 100000}) {
    EXPECT_EQ(Compare(Scene(objects, 7), Scene(objects, 0), {"-q", "-n"}),
              CompareDifferent);
    sizes.push_back(ReadWholeFile(_Page).size());
  }
  EXPECT_LT(sizes[1], 20000u);
  EXPECT_EQ(sizes[1] - sizes[0], 4u);
}

}  // namespace
