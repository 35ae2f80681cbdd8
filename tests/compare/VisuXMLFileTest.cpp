#include "VisuXMLFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ComparisonTestSupport.h"
#include "FailingAllocator.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"

namespace {

// Makes the library's error hooks callable directly.
class ExposedFile : public VisuXMLFile {
 public:
  using VisuXMLFile::LogErrorOnAttribute;
  using VisuXMLFile::LogErrorOnMarkup;
  using VisuXMLFile::VisuXMLFile;
};

// Records every hook call in order.
class TracingFile : public VisuXMLFile {
 public:
  explicit TracingFile(const MOKLightXmlElement& element)
      : VisuXMLFile(element) {}

  std::vector<std::string> trace;

 protected:
  void StartMarkupComparison(MOKLightXmlElement* reference,
                             MOKLightXmlElement* output) override {
    trace.push_back("start " + Names(reference, output));
  }
  void EndMarkupComparison(MOKLightXmlElement* reference,
                           MOKLightXmlElement* output) override {
    trace.push_back("end " + Names(reference, output));
  }
  void LogErrorOnMarkup(_VisuXMLMarkupError error,
                        MOKLightXmlElement* reference,
                        MOKLightXmlElement* output,
                        MOKLightXmlElement& errorElement) override {
    trace.push_back("markup " + std::to_string(error) + " " +
                    Names(reference, output));
    VisuXMLFile::LogErrorOnMarkup(error, reference, output, errorElement);
  }
  void LogErrorOnAttribute(_VisuXMLAttributeError error,
                           MOKLightXmlElement* reference,
                           MOKLightXmlElement* output,
                           const MOKUnicodeString* name,
                           MOKLightXmlElement& errorElement) override {
    trace.push_back("attribute " + std::to_string(error) + " " +
                    name->GetText());
    VisuXMLFile::LogErrorOnAttribute(error, reference, output, name,
                                     errorElement);
  }

 private:
  static std::string Names(MOKLightXmlElement* reference,
                           MOKLightXmlElement* output) {
    return (reference ? reference->GetName().GetText() : "-") + "/" +
           (output ? output->GetName().GetText() : "-");
  }
};

// Builds a chain of nested elements, each the single child of the one above.
MOKLightXmlElement DeepChain(std::size_t depth, const char* deepestName) {
  MOKLightXmlElement root{MOKUnicodeString("level")};
  MOKLightXmlElement* current = &root;
  for (std::size_t i = 1; i < depth; ++i) {
    current = current->AppendNewChild();
    current->SetName(i + 1 == depth ? deepestName : "level");
  }
  return root;
}

class VisuXMLFileTest : public ::testing::Test {
 protected:
  void TearDown() override { VisuXMLAttribute::DestroyAttributes(); }

  TemporaryDirectory _Directory;
};

// Tests that equal trees compare equal and the result mirrors them fully.
TEST_F(VisuXMLFileTest, EqualTreesGiveFullMirrorWithoutError) {
  MOKLightXmlElement tree = Element(
      "root", {{"id", "1"}},
      {Element("a", {{"x", "2"}}), Element("b", {Element("c")})});
  ComparisonOutcome outcome = CompareTrees(tree, tree);
  EXPECT_EQ(outcome.equal, 1);
  EXPECT_EQ(outcome.count, 0u);
  EXPECT_EQ(outcome.report, "report(root{id=1}(a{x=2},b(c)))");
}

// Tests that differently named roots give one mismatch error and nothing else.
TEST_F(VisuXMLFileTest, RootNameMismatchIsOneError) {
  ComparisonOutcome outcome = CompareTrees(
      Element("expected", {Element("a")}), Element("found", {Element("b")}));
  EXPECT_EQ(outcome.equal, 0);
  EXPECT_EQ(outcome.count, 1u);
  EXPECT_EQ(outcome.report,
            "report(VisuXMLError\"A found markup is read whereas we were "
            "waiting for a expected markup.\")");
}

// Tests that a removed child shifts the positional pairing of later ones.
TEST_F(VisuXMLFileTest, RemovedChildShiftsPairing) {
  ComparisonOutcome outcome = CompareTrees(
      Element("root", {Element("a"), Element("b"), Element("c")}),
      Element("root", {Element("a"), Element("c")}));
  EXPECT_EQ(outcome.equal, 0);
  EXPECT_EQ(outcome.count, 2u);
  EXPECT_EQ(outcome.report,
            "report(root(a,"
            "VisuXMLError\"A c markup is read whereas we were waiting for a "
            "b markup.\","
            "VisuXMLError\"The sub-markup c doesn't appear in the output "
            "file.\"))");
}

// Tests that extra output children are reported in order after the pairs.
TEST_F(VisuXMLFileTest, ExtraOutputChildrenFollowPairedResults) {
  ComparisonOutcome outcome = CompareTrees(
      Element("root", {Element("a", {Element("x")})}),
      Element("root", {Element("a", {Element("x")}), Element("y"),
                       Element("z")}));
  EXPECT_EQ(outcome.count, 2u);
  EXPECT_EQ(outcome.report,
            "report(root(a(x),"
            "VisuXMLError\"An extra sub-markup y has been defined in the "
            "output file.\","
            "VisuXMLError\"An extra sub-markup z has been defined in the "
            "output file.\"))");
}

// Tests that unpaired reference children are reported before output ones.
TEST_F(VisuXMLFileTest, UnpairedChildrenOfBothSidesInOrder) {
  ComparisonOutcome outcome = CompareTrees(
      Element("root", {Element("a", {Element("p"), Element("q")}),
                       Element("b")}),
      Element("root", {Element("a")}));
  EXPECT_EQ(outcome.count, 3u);
  EXPECT_EQ(outcome.report,
            "report(root(a("
            "VisuXMLError\"The sub-markup p doesn't appear in the output "
            "file.\","
            "VisuXMLError\"The sub-markup q doesn't appear in the output "
            "file.\"),"
            "VisuXMLError\"The sub-markup b doesn't appear in the output "
            "file.\"))");
}

// Tests that element texts are neither compared nor carried over.
TEST_F(VisuXMLFileTest, TextsAreIgnored) {
  MOKLightXmlElement reference = Element("root", {Element("a")});
  MOKLightXmlElement output = reference;
  reference.SetValue("old");
  output.SetValue("new");
  ComparisonOutcome outcome = CompareTrees(reference, output);
  EXPECT_EQ(outcome.equal, 1);
  EXPECT_EQ(outcome.report, "report(root(a))");
}

// Tests that the search finds the root's own name.
TEST_F(VisuXMLFileTest, SearchFindsRoot) {
  VisuXMLFile file(Element("root", {Element("a")}));
  EXPECT_EQ(file.SearchForMarkup("root"), 1);
}

// Tests that the search reaches the last child of the deepest branch.
TEST_F(VisuXMLFileTest, SearchFindsLastChildOfDeepestBranch) {
  VisuXMLFile file(Element(
      "root", {Element("a"),
               Element("b", {Element("c", {Element("d"), Element("e")})})}));
  EXPECT_EQ(file.SearchForMarkup("e"), 1);
  EXPECT_EQ(file.SearchForMarkup("f"), 0);
}

// Tests that a search that runs out of memory answers found, never missed.
TEST_F(VisuXMLFileTest, SearchOutOfMemoryAnswersFound) {
  VisuXMLFile file(Element("root", {Element("a")}));
  ScopedAllocationFailure failure(1);
  EXPECT_EQ(file.SearchForMarkup("absent"), 1);
}

// Tests that a file is read into a tree that can be searched and compared.
TEST_F(VisuXMLFileTest, ReadsWellFormedFile) {
  std::string path = _Directory.File("reference.xml");
  WriteWholeFile(path, "<root><a x=\"1\"/><b/></root>\n");
  VisuXMLFile file{MOKUnicodeString(path.c_str())};
  VisuXMLFile output(Element("root", {Element("a", {{"x", "1"}}),
                                      Element("b")}));
  MOKLightXmlElement result;
  ASSERT_EQ(file.IsFileValid(), 1);
  EXPECT_EQ(file.SearchForMarkup("b"), 1);
  EXPECT_EQ(file.Compare(&output, result), 1);
}

// Tests that a missing file leaves no tree to search.
TEST_F(VisuXMLFileTest, MissingFileIsInvalid) {
  VisuXMLFile file{MOKUnicodeString(_Directory.File("absent.xml").c_str())};
  EXPECT_EQ(file.IsFileValid(), 0);
  EXPECT_EQ(file.SearchForMarkup("root"), 0);
}

// Tests that a file that is not well-formed leaves no tree.
TEST_F(VisuXMLFileTest, MalformedFileIsInvalid) {
  std::string path = _Directory.File("broken.xml");
  WriteWholeFile(path, "<root><a></root>");
  VisuXMLFile file{MOKUnicodeString(path.c_str())};
  EXPECT_EQ(file.IsFileValid(), 0);
}

// Tests that an output file without tree is not compared at all.
TEST_F(VisuXMLFileTest, OutputWithoutTreeLeavesResultUntouched) {
  VisuXMLFile reference(Element("root"));
  VisuXMLFile output{MOKUnicodeString(_Directory.File("absent.xml").c_str())};
  MOKLightXmlElement result{MOKUnicodeString("report")};
  EXPECT_EQ(reference.Compare(&output, result), 1);
  EXPECT_EQ(Describe(result), "report");
}

// Tests that a missing output file is not compared at all.
TEST_F(VisuXMLFileTest, NoOutputFileLeavesResultUntouched) {
  VisuXMLFile reference(Element("root"));
  MOKLightXmlElement result{MOKUnicodeString("report")};
  EXPECT_EQ(reference.Compare(nullptr, result), 1);
  EXPECT_EQ(Describe(result), "report");
}

// Tests that a reference file without tree is not compared at all.
TEST_F(VisuXMLFileTest, ReferenceWithoutTreeLeavesResultUntouched) {
  VisuXMLFile reference{MOKUnicodeString(_Directory.File("none.xml").c_str())};
  VisuXMLFile output(Element("root"));
  MOKLightXmlElement result{MOKUnicodeString("report")};
  EXPECT_EQ(reference.Compare(&output, result), 1);
  EXPECT_EQ(Describe(result), "report");
}

// Tests that a markup error without its element still names the error.
TEST_F(VisuXMLFileTest, MarkupErrorWithoutElementHasEmptyText) {
  ExposedFile file(Element("root"));
  MOKLightXmlElement error;
  file.LogErrorOnMarkup(VisuXMLFile::VisuXMLSubMarkupNotInOutput, nullptr,
                        nullptr, error);
  EXPECT_EQ(Describe(error), "VisuXMLError");
}

// Tests that an attribute error without a name leaves the element as it was.
TEST_F(VisuXMLFileTest, AttributeErrorWithoutNameLeavesElement) {
  ExposedFile file(Element("root"));
  MOKLightXmlElement error{MOKUnicodeString("kept")};
  file.LogErrorOnAttribute(VisuXMLFile::VisuXMLAttributeNotInOutput, nullptr,
                           nullptr, nullptr, error);
  EXPECT_EQ(Describe(error), "kept");
}

// Tests that overridden hooks run in depth-first order around each subtree.
TEST_F(VisuXMLFileTest, HooksRunInDepthFirstOrder) {
  TracingFile reference(Element(
      "root", {{"k", "1"}},
      {Element("a", {Element("x")}), Element("b"), Element("c")}));
  TracingFile output(
      Element("root", {{"k", "2"}}, {Element("a", {Element("x")}),
                                     Element("d")}));
  MOKLightXmlElement result;
  reference.Compare(&output, result);
  std::vector<std::string> expected = {
      "start root/root", "attribute 0 k",  "start a/a",
      "start x/x",       "end x/x",        "end a/a",
      "start b/d",       "markup 0 b/d",   "end b/d",
      "markup 1 c/-",    "end root/root"};
  EXPECT_EQ(reference.trace, expected);
  EXPECT_TRUE(output.trace.empty());
}

// Tests that a chain nested a million deep is compared without recursion.
TEST_F(VisuXMLFileTest, MillionDeepChainComparesEqual) {
  MOKLightXmlElement tree = DeepChain(1000000, "bottom");
  VisuXMLFile reference(tree);
  VisuXMLFile output(tree);
  MOKLightXmlElement result;
  EXPECT_EQ(reference.Compare(&output, result), 1);
}

// Tests that a difference at the bottom of a million-deep chain is found.
TEST_F(VisuXMLFileTest, MillionDeepChainFindsBottomDifference) {
  VisuXMLFile reference(DeepChain(1000000, "bottom"));
  VisuXMLFile output(DeepChain(1000000, "other"));
  MOKLightXmlElement result;
  EXPECT_EQ(reference.Compare(&output, result), 0);
  const MOKLightXmlElement* node = &result;
  std::size_t depth = 0;
  while (node->GetChildCount() == 1) {
    node = node->GetChildAt(0);
    ++depth;
  }
  EXPECT_EQ(depth, 1000000u);
  EXPECT_EQ(node->GetValue().GetText(),
            "A other markup is read whereas we were waiting for a bottom "
            "markup.");
}

// Tests that the search reaches the bottom of a million-deep chain.
TEST_F(VisuXMLFileTest, MillionDeepChainIsSearched) {
  VisuXMLFile file(DeepChain(1000000, "bottom"));
  EXPECT_EQ(file.SearchForMarkup("bottom"), 1);
  EXPECT_EQ(file.SearchForMarkup("absent"), 0);
}

// Tests that running out of memory anywhere never passes for equal trees.
TEST_F(VisuXMLFileTest, OutOfMemoryNeverComparesEqual) {
  MOKLightXmlElement tree = Element(
      "root", {{"a", "1"}, {"b", "2"}},
      {Element("x", {{"c", "3"}}, {Element("y")}), Element("z")});
  VisuXMLFile reference(tree);
  VisuXMLFile output(tree);
  for (std::size_t failAt = 1;; ++failAt) {
    MOKLightXmlElement result;
    unsigned char equal;
    {
      ScopedAllocationFailure failure(failAt);
      equal = reference.Compare(&output, result);
      if (!FailingAllocator::Fired()) break;
    }
    EXPECT_EQ(equal, 0) << "allocation " << failAt;
  }
}

// Tests that running out of memory for the copied tree leaves no tree.
TEST_F(VisuXMLFileTest, OutOfMemoryForCopyLeavesNoTree) {
  MOKLightXmlElement tree = Element("root");
  ScopedAllocationFailure failure(1);
  VisuXMLFile file(tree);
  EXPECT_EQ(file.IsFileValid(), 0);
}

}  // namespace
