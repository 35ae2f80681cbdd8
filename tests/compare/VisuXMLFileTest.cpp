#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>

#include "MemoryStreams.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"

namespace {

using Element = MOKLightXmlElement;

// The tree of an XML text; single quotes keep the tables readable.
Element Xml(const std::string& text) {
  Element root;
  EXPECT_TRUE(ParseText(text, root)) << text;
  return root;
}

// Two documents, whether they agree and the result tree under "R".
struct ComparisonCase {
  std::string reference, output;
  unsigned char same;
  std::string report;
};

// Compares each pair: the return of Compare and its result tree, then the
// tree of a second comparison once the first result's attributes were
// overwritten (they must not alias the output's).
void ExpectComparisons(std::initializer_list<ComparisonCase> cases) {
  for (const ComparisonCase& c : cases) {
    SCOPED_TRACE(c.reference + " against " + c.output);
    VisuXMLFile reference(Xml(c.reference));
    VisuXMLFile output(Xml(c.output));
    Element result{MOKUnicodeString("R")}, again{MOKUnicodeString("R")};
    EXPECT_EQ(reference.Compare(&output, result), c.same);
    EXPECT_EQ(Describe(result), c.report);
    Element* copy = result.GetChildAt(0);
    for (std::size_t i = 0; copy && i < copy->GetAttributeCount(); ++i)
      copy->SetAttributeValue(copy->GetAttributeNameAt(i), "overwritten");
    reference.Compare(&output, again);
    EXPECT_EQ(Describe(again), c.report);
  }
}

// Records every hook call in order.
class TracingFile : public VisuXMLFile {
 public:
  using VisuXMLFile::VisuXMLFile;
  std::string trace;

 protected:
  void StartMarkupComparison(Element* reference, Element* output) override {
    Note("start", reference, output);
  }
  void EndMarkupComparison(Element* reference, Element* output) override {
    Note("end", reference, output);
  }
  void LogErrorOnMarkup(_VisuXMLMarkupError error, Element* reference,
                        Element* output, Element&) override {
    Note("markup" + std::to_string(error), reference, output);
  }
  void LogErrorOnAttribute(_VisuXMLAttributeError error, Element*, Element*,
                           const MOKUnicodeString* name, Element&) override {
    trace += "attribute" + std::to_string(error) + " " + name->GetText() + ";";
  }

 private:
  void Note(const std::string& what, Element* reference, Element* output) {
    trace += what + " " + (reference ? reference->GetName().GetText() : "-") +
             "/" + (output ? output->GetName().GetText() : "-") + ";";
  }
};

// "size" and "width" are declared real; every other attribute is text.
class VisuXMLFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"size", "width"})
      ASSERT_EQ(
          VisuXMLAttribute::CreateXMLAttribute(name, VisuXMLRealAttribute), 0u);
  }
  void TearDown() override { VisuXMLAttribute::DestroyAttributes(); }
  TemporaryDirectory _Directory;
};

// Tests the positional pairing of children, the messages, their order in
// the mirrored result, and that texts play no part.
TEST_F(VisuXMLFileTest, PairsChildrenByPosition) {
  ExpectComparisons({
      {"<root id='1'><a x='2'/><b><c/></b></root>",
       "<root id='1'><a x='2'/><b><c/></b></root>", 1,
       "R [root(id=1) [a(x=2) | b [c]]]"},
      {"<expected><a/></expected>", "<found><b/></found>", 0,
       "R [{A found markup is read whereas we were waiting for a expected "
       "markup.}]"},
      {"<root>old<a>one</a><b/><c/></root>", "<root>new<a>two</a><c/></root>",
       0,
       "R [root [a | {A c markup is read whereas we were waiting for a b "
       "markup.} | {The sub-markup c doesn't appear in the output file.}]]"},
      {"<root><a><x/></a></root>", "<root><a><x/></a><y/><z/></root>", 0,
       "R [root [a [x] | {An extra sub-markup y has been defined in the output "
       "file.} | {An extra sub-markup z has been defined in the output "
       "file.}]]"},
  });
}

// Tests value changes of text and real attributes, one-sided and unset
// attributes, and the order of attributes and errors on the result element
// (the reference's, whatever the output's order).
TEST_F(VisuXMLFileTest, PairsAttributesByName) {
  ExpectComparisons({
      {"<r c='red' t='red' n='100' size='1.5' width='nan' u='??\?' w='??\?'/>",
       "<r c='blue' t='red ' n='100.9' size='wide' width='NAN' v='??\?' "
       "w='5'/>",
       0,
       "R [r(c=blue, t=red , n=100.9, size=wide, width=NAN, w=5) [{The "
       "attribute c value has changed from red to blue.} | {The attribute t "
       "value has changed from red to red .} | {The attribute n value has "
       "changed from 100 to 100.9.} | {The attribute size value has changed "
       "from 1.5 to wide.} | {The attribute width value has changed from nan "
       "to NAN.} | {The attribute w value has changed from ?\?? to 5.}]]"},
      {"<r a='1' b='2' c='3' g='7'><k q='1'/><m/></r>",
       "<r x='9' c='4' b='5' y='8' a='1'><k/><m e='3'/></r>", 0,
       "R [r(a=1, b=5, c=4, x=9, y=8) [{The attribute b value has changed from "
       "2 to 5.} | {The attribute c value has changed from 3 to 4.} | {The "
       "attribute g doesn't appear in the output file.} | {The attribute x "
       "doesn't appear in the reference file.} | {The attribute y doesn't "
       "appear in the reference file.} | k [{The attribute q doesn't appear in "
       "the output file.}] | m(e=3) [{The attribute e doesn't appear in the "
       "reference file.}]]]"},
      {"<e size='1.0' t='a'/>", "<e size='1.00' t='a'/>", 1,
       "R [e(size=1.00, t=a)]"},
      {"<e a='1' b='2'/>", "<e b='2' a='1'/>", 1, "R [e(a=1, b=2)]"},
      {"<e x='1' t='a' u='b'/>", "<e u='c' t='a' x='2'/>", 0,
       "R [e(x=2, t=a, u=c) [{The attribute x value has changed from 1 to 2.} "
       "| {The attribute u value has changed from b to c.}]]"},
  });
}

// Tests that a well-formed file is read and searched down to the deepest
// branch's last child, that an unreadable one gives no tree, and that
// without a tree on either side, or without output file, Compare gives 1
// and adds nothing to the result.
TEST_F(VisuXMLFileTest, ReadsSearchesAndComparesFiles) {
  const std::string text = "<root><a x='1'/><b><c><d/><e/></c></b></root>";
  WriteWholeFile(_Directory.File("good.xml"), text);
  WriteWholeFile(_Directory.File("broken.xml"), "<root><a></root>");
  VisuXMLFile tree(Xml(text));
  Element untouched{MOKUnicodeString("R")};
  EXPECT_EQ(tree.Compare(nullptr, untouched), 1);
  for (const std::string name : {"good.xml", "broken.xml", "absent.xml"}) {
    SCOPED_TRACE(name);
    const unsigned char good = name == "good.xml" ? 1 : 0;
    VisuXMLFile file{MOKUnicodeString(_Directory.File(name).c_str())};
    EXPECT_EQ(file.IsFileValid(), good);
    EXPECT_EQ(file.SearchForMarkup("root"), good);
    EXPECT_EQ(file.SearchForMarkup("e"), good);
    EXPECT_EQ(file.Compare(&tree, untouched), 1);
    EXPECT_EQ(tree.Compare(&file, untouched), 1);
  }
  EXPECT_EQ(
      Describe(untouched),
      "R [root [a(x=1) | b [c [d | e]]] | root [a(x=1) | b [c [d | e]]]]");
}

// Tests that a derived file's hooks run in depth-first order around pairs.
TEST_F(VisuXMLFileTest, HooksRunInDepthFirstOrder) {
  TracingFile reference(Xml("<root k='1'><a><x/></a><b/><c/></root>"));
  TracingFile output(Xml("<root k='2'><a><x/></a><d/></root>"));
  Element result;
  reference.Compare(&output, result);
  EXPECT_EQ(reference.trace,
            "start root/root;attribute0 k;start a/a;start x/x;end x/x;"
            "end a/a;start b/d;markup0 b/d;end b/d;markup1 c/-;end root/root;");
  EXPECT_EQ(output.trace, "");
}

class AttributesComparisonTest
    : public VisuXMLFileTest,
      public ::testing::WithParamInterface<const char*> {};

// Tests each tolerance boundary of one dump version, strictness included.
// The parameter is the version digit, then real-number pairs written "R=O"
// when they agree and "R!O" when they differ; the version is settled once
// per process, and each test runs in a process of its own.
TEST_P(AttributesComparisonTest, AgreesOnlyWithinTolerance) {
  const std::string version(GetParam(), 1);
  ScopedEnvironment environment("VISU_XML_DUMP_VERSION", version.c_str());
  std::istringstream table(GetParam() + 2);
  for (std::string pair; table >> pair;) {
    SCOPED_TRACE(pair);
    const std::size_t mark = pair.find_first_of("=!");
    VisuXMLFile reference(Xml("<r size='" + pair.substr(0, mark) + "'/>"));
    VisuXMLFile output(Xml("<r size='" + pair.substr(mark + 1) + "'/>"));
    Element result;
    EXPECT_EQ(reference.Compare(&output, result), pair[mark] == '=' ? 1 : 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, AttributesComparisonTest,
    ::testing::Values("6 1.0=1.00 100=100.9 100!101 100!99 0.005=0.0055 "
                      "0.005!0.02 0.0095!0.0102 0.0102!0.0095 0.001!0 0!0.005 "
                      "-0.005!0.004",
                      "3 100=100.9 100!101",
                      "1 1.0=1.00 1=1.0009 1!1.002 1000!1000.5 0!0.001 0.001!0",
                      "2 1.0=1.00 0=0.005 0!0.02 -50=-50.4 -50!-50.6 "
                      "0.005!0.0055"),
    [](const ::testing::TestParamInfo<const char*>& info) {
      return std::string("Version") + info.param[0];
    });

}  // namespace
