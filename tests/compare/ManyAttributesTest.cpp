#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FailingAllocator.h"
#include "MOKLightXmlElement.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"
#include "compare/AttributeNameIndex.h"

namespace {

using Element = MOKLightXmlElement;

// Enough attributes for the comparison to index the output by name.
const int kIndexedCount = 20;

struct TestEntry {
  const MOKUnicodeString* _pName = nullptr;
  TestEntry* _pNext = nullptr;
};

// Records the attribute hooks, in call order, as "kind name;".
class RecordingFile : public VisuXMLFile {
 public:
  using VisuXMLFile::VisuXMLFile;
  std::string trace;

 protected:
  void LogErrorOnAttribute(_VisuXMLAttributeError error, Element*, Element*,
                           const MOKUnicodeString* name, Element&) override {
    trace += std::to_string(error) + " " + name->GetText() + ";";
  }
};

class ManyAttributesTest : public ::testing::Test {
 protected:
  void TearDown() override { VisuXMLAttribute::DestroyAttributes(); }

  // Chains one entry per name, in order, in one block as the library does.
  TestEntry* Chain(const std::vector<const char*>& names) {
    _Names.assign(names.begin(), names.end());
    _Entries.assign(names.size(), TestEntry());
    for (std::size_t i = 0; i < names.size(); ++i) {
      _Entries[i]._pName = &_Names[i];
      if (i + 1 < names.size()) _Entries[i]._pNext = &_Entries[i + 1];
    }
    return _Entries.data();
  }

  // The result's attributes as "name=value,...", then the error count.
  static std::string Attributes(const Element& result) {
    std::string text;
    for (std::size_t i = 0; i < result.GetAttributeCount(); ++i)
      text += result.GetAttributeNameAt(i).GetText() + "=" +
              result.GetAttributeValueAt(i).GetText() + ",";
    return text + std::to_string(result.GetChildCount());
  }

  // kIndexedCount attributes k0, k1, ... in order or reversed, valued 1.
  static Element Numbered(bool reversed) {
    Element element{MOKUnicodeString("e")};
    for (int i = 0; i < kIndexedCount; ++i) {
      const int number = reversed ? kIndexedCount - 1 - i : i;
      element.AppendAttribute(MOKUnicodeString("k" + std::to_string(number)),
                              MOKUnicodeString("1"));
    }
    return element;
  }

  static std::string NumberedText(int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) text += "k" + std::to_string(i) + "=1,";
    return text;
  }

  std::vector<MOKUnicodeString> _Names;
  std::vector<TestEntry> _Entries;
};

// Tests that entries of one name are handed out in chain order, each once.
TEST_F(ManyAttributesTest, IndexTakesRepeatedNamesInChainOrder) {
  TestEntry* head = Chain({"b", "a", "b", "c", "b"});
  AttributeNameIndex<TestEntry> index;
  ASSERT_TRUE(index.Build(head, 5));
  EXPECT_TRUE(index.HasRepeatedName());
  EXPECT_EQ(index.Take(MOKUnicodeString("b")), &_Entries[0]);
  EXPECT_EQ(index.Take(MOKUnicodeString("b")), &_Entries[2]);
  EXPECT_EQ(index.Take(MOKUnicodeString("b")), &_Entries[4]);
  EXPECT_EQ(index.Take(MOKUnicodeString("b")), nullptr);
  EXPECT_EQ(index.Take(MOKUnicodeString("c")), &_Entries[3]);
}

// Tests that a name is found only whole: prefixes and extensions differ.
TEST_F(ManyAttributesTest, IndexTellsPrefixesApart) {
  TestEntry* head = Chain({"ab", "a", "abc", ""});
  AttributeNameIndex<TestEntry> index;
  ASSERT_TRUE(index.Build(head, 4));
  EXPECT_FALSE(index.HasRepeatedName());
  EXPECT_EQ(index.Take(MOKUnicodeString("abcd")), nullptr);
  EXPECT_EQ(index.Take(MOKUnicodeString("b")), nullptr);
  EXPECT_EQ(index.Take(MOKUnicodeString("a")), &_Entries[1]);
  EXPECT_EQ(index.Take(MOKUnicodeString("a")), nullptr);
  EXPECT_EQ(index.Take(MOKUnicodeString("")), &_Entries[3]);
  EXPECT_EQ(index.Take(MOKUnicodeString("abc")), &_Entries[2]);
}

// Tests that an index without memory says so instead of throwing.
TEST_F(ManyAttributesTest, IndexBuildFailsWithoutMemory) {
  TestEntry* head = Chain({"a", "b"});
  AttributeNameIndex<TestEntry> index;
  ScopedAllocationFailure failure(1);
  EXPECT_FALSE(index.Build(head, 2));
  EXPECT_FALSE(index.IsBuilt());
}

// Tests the result and hook order of a large reordered pair with a changed
// value, an attribute only in the reference and one only in the output.
TEST_F(ManyAttributesTest, ReorderedDifferencesKeepTheirOrder) {
  Element reference = Numbered(false);
  reference.SetAttributeValue(MOKUnicodeString("k5"), MOKUnicodeString("2"));
  reference.AppendAttribute(MOKUnicodeString("gone"), MOKUnicodeString("x"));
  Element output = Numbered(true);
  output.AppendAttribute(MOKUnicodeString("new"), MOKUnicodeString("y"));
  RecordingFile referenceFile(reference);
  VisuXMLFile outputFile(output);
  Element result;
  EXPECT_EQ(referenceFile.Compare(&outputFile, result), 0);
  ASSERT_EQ(result.GetChildCount(), 1u);
  EXPECT_EQ(Attributes(*result.GetChildAt(0)),
            NumberedText(0, kIndexedCount - 1) + "new=y,3");
  EXPECT_EQ(referenceFile.trace, "0 k5;1 gone;2 new;");
}

// Tests that repeated output names pair first with first, and that the
// result keeps one attribute per name, as the walk of the chain does.
TEST_F(ManyAttributesTest, RepeatedNamesPairInOrder) {
  Element reference = Numbered(false);
  reference.AppendAttribute(MOKUnicodeString("d"), MOKUnicodeString("1"));
  reference.AppendAttribute(MOKUnicodeString("d"), MOKUnicodeString("2"));
  Element output{MOKUnicodeString("e")};
  output.AppendAttribute(MOKUnicodeString("d"), MOKUnicodeString("2"));
  Element numbered = Numbered(true);
  for (std::size_t i = 0; i < numbered.GetAttributeCount(); ++i)
    output.AppendAttribute(numbered.GetAttributeNameAt(i),
                           numbered.GetAttributeValueAt(i));
  output.AppendAttribute(MOKUnicodeString("d"), MOKUnicodeString("1"));
  RecordingFile referenceFile(reference);
  VisuXMLFile outputFile(output);
  Element result;
  EXPECT_EQ(referenceFile.Compare(&outputFile, result), 0);
  ASSERT_EQ(result.GetChildCount(), 1u);
  EXPECT_EQ(Attributes(*result.GetChildAt(0)),
            NumberedText(0, kIndexedCount - 1) + "d=1,2");
  EXPECT_EQ(referenceFile.trace, "0 d;0 d;");
}

// Tests that every run out of memory either yields the complete result or
// is counted as a difference: a missing index falls back to the walk.
TEST_F(ManyAttributesTest, FailedAllocationsGiveTheSameResultOrAnError) {
  Element reference = Numbered(false);
  Element output = Numbered(true);
  VisuXMLFile referenceFile(reference);
  VisuXMLFile outputFile(output);
  bool fellBack = false;
  for (std::size_t failAt = 1;; ++failAt) {
    Element result;
    ScopedAllocationFailure failure(failAt);
    const unsigned char equal = referenceFile.Compare(&outputFile, result);
    if (!FailingAllocator::Fired()) break;
    if (equal == 0) continue;
    fellBack = true;
    ASSERT_EQ(result.GetChildCount(), 1u) << "allocation " << failAt;
    EXPECT_EQ(Attributes(*result.GetChildAt(0)),
              NumberedText(0, kIndexedCount - 1) + "0");
  }
  EXPECT_TRUE(fellBack);
}

}  // namespace
