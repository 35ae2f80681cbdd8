#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ComparisonTestSupport.h"
#include "ScopedEnvironment.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"

namespace {

const char* const kVersionVariable = "VISU_XML_DUMP_VERSION";

class AttributesComparisonTest : public ::testing::Test {
 protected:
  void TearDown() override { VisuXMLAttribute::DestroyAttributes(); }

  static void DeclareReal(const char* name) {
    ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute(name, VisuXMLRealAttribute),
              0u);
  }

  // Compares one attribute pair on otherwise equal roots.
  static ComparisonOutcome CompareValues(const char* name,
                                         const char* reference,
                                         const char* output) {
    return CompareTrees(Element("root", {{name, reference}}),
                        Element("root", {{name, output}}));
  }
};

// Tests that a changed text value is reported with both values.
TEST_F(AttributesComparisonTest, TextValueChangeNamesBothValues) {
  ComparisonOutcome outcome = CompareValues("color", "red", "blue");
  EXPECT_EQ(outcome.equal, 0);
  EXPECT_EQ(outcome.count, 1u);
  EXPECT_EQ(outcome.report,
            "report(root{color=blue}(VisuXMLError\"The attribute color value "
            "has changed from red to blue.\"))");
}

// Tests that a trailing blank makes two text values differ.
TEST_F(AttributesComparisonTest, TrailingBlankIsAChange) {
  EXPECT_EQ(CompareValues("color", "red", "red ").count, 1u);
}

// Tests that numbers under a text declaration are compared as text only.
TEST_F(AttributesComparisonTest, UndeclaredNumbersCompareAsText) {
  EXPECT_EQ(CompareValues("size", "100", "100.9").count, 1u);
}

// Tests that a real value that does not read as a number is a change.
TEST_F(AttributesComparisonTest, UnreadableRealIsAChange) {
  DeclareReal("size");
  EXPECT_EQ(CompareValues("size", "1.5", "wide").report,
            "report(root{size=wide}(VisuXMLError\"The attribute size value "
            "has changed from 1.5 to wide.\"))");
}

// Tests that two differently written NaNs never agree.
TEST_F(AttributesComparisonTest, NotANumberNeverAgrees) {
  DeclareReal("size");
  EXPECT_EQ(CompareValues("size", "nan", "NAN").count, 1u);
}

// Tests that unpaired unset values on either side cause nothing at all.
TEST_F(AttributesComparisonTest, UnpairedUnsetValuesAreIgnored) {
  ComparisonOutcome outcome =
      CompareTrees(Element("root", {{"a", "???"}, {"k", "1"}}),
                   Element("root", {{"k", "1"}, {"b", "???"}}));
  EXPECT_EQ(outcome.equal, 1);
  EXPECT_EQ(outcome.report, "report(root{k=1})");
}

// Tests that a paired unset value is compared like any other.
TEST_F(AttributesComparisonTest, PairedUnsetValueIsAChange) {
  DeclareReal("size");
  EXPECT_EQ(CompareValues("size", "???", "5").report,
            "report(root{size=5}(VisuXMLError\"The attribute size value has "
            "changed from ??? to 5.\"))");
}

// Tests that an output-only attribute is copied onto the result and reported.
TEST_F(AttributesComparisonTest, OutputOnlyAttributeIsCopiedAndReported) {
  ComparisonOutcome outcome =
      CompareTrees(Element("root"), Element("root", {{"extra", "3"}}));
  EXPECT_EQ(outcome.count, 1u);
  EXPECT_EQ(outcome.report,
            "report(root{extra=3}(VisuXMLError\"The attribute extra doesn't "
            "appear in the reference file.\"))");
}

// Tests that reference-only attributes are reported but never set.
TEST_F(AttributesComparisonTest, ReferenceOnlyAttributesSetNothing) {
  ComparisonOutcome outcome = CompareTrees(
      Element("root", {{"a", "1"}, {"b", "2"}}), Element("root"));
  EXPECT_EQ(outcome.count, 2u);
  EXPECT_EQ(outcome.report,
            "report(root("
            "VisuXMLError\"The attribute a doesn't appear in the output "
            "file.\","
            "VisuXMLError\"The attribute b doesn't appear in the output "
            "file.\"))");
}

// Tests the order of attributes and errors on a mixed element, children last.
TEST_F(AttributesComparisonTest, MixedElementKeepsOrder) {
  ComparisonOutcome outcome = CompareTrees(
      Element("root", {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"g", "7"}},
              {Element("child")}),
      Element("root",
              {{"x", "9"}, {"c", "4"}, {"b", "5"}, {"y", "8"}, {"a", "1"}},
              {Element("child")}));
  EXPECT_EQ(outcome.count, 5u);
  EXPECT_EQ(outcome.report,
            "report(root{a=1,b=5,c=4,x=9,y=8}("
            "VisuXMLError\"The attribute b value has changed from 2 to 5.\","
            "VisuXMLError\"The attribute c value has changed from 3 to 4.\","
            "VisuXMLError\"The attribute g doesn't appear in the output "
            "file.\","
            "VisuXMLError\"The attribute x doesn't appear in the reference "
            "file.\","
            "VisuXMLError\"The attribute y doesn't appear in the reference "
            "file.\","
            "child))");
}

// One real-number comparison under one dump version.
struct ToleranceCase {
  const char* version;
  const char* reference;
  const char* output;
  bool agrees;
};

void PrintTo(const ToleranceCase& c, std::ostream* stream) {
  *stream << "version " << c.version << ": " << c.reference << " vs "
          << c.output;
}

// A test name such as v6_100_vs_100p9 (p for the point, m for the minus).
std::string ToleranceCaseName(
    const ::testing::TestParamInfo<ToleranceCase>& info) {
  std::string name = std::string("v") + info.param.version + "_" +
                     info.param.reference + "_vs_" + info.param.output;
  for (char& character : name) {
    if (character == '.') character = 'p';
    if (character == '-') character = 'm';
  }
  return name;
}

class AttributesToleranceTest
    : public ::testing::TestWithParam<ToleranceCase> {
 protected:
  void TearDown() override { VisuXMLAttribute::DestroyAttributes(); }
};

// Tests each tolerance boundary of each dump version, strictness included.
TEST_P(AttributesToleranceTest, AgreesOnlyWithinTolerance) {
  const ToleranceCase& c = GetParam();
  ScopedEnvironment version(kVersionVariable, c.version);
  ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute("size", VisuXMLRealAttribute),
            0u);
  ComparisonOutcome outcome = CompareTrees(
      Element("root", {{"size", c.reference}}),
      Element("root", {{"size", c.output}}));
  EXPECT_EQ(outcome.equal, c.agrees ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, AttributesToleranceTest,
    ::testing::Values(
        ToleranceCase{"1", "1.0", "1.00", true},
        ToleranceCase{"2", "1.0", "1.00", true},
        ToleranceCase{"6", "1.0", "1.00", true},
        ToleranceCase{"6", "100", "100.9", true},
        ToleranceCase{"6", "100", "101", false},
        ToleranceCase{"6", "100", "99", false},
        ToleranceCase{"6", "0.001", "0", false},
        ToleranceCase{"6", "0.005", "0.0055", true},
        ToleranceCase{"6", "0.005", "0.02", false},
        ToleranceCase{"6", "0", "0.005", false},
        ToleranceCase{"6", "-0.005", "0.004", false},
        ToleranceCase{"1", "1", "1.0009", true},
        ToleranceCase{"1", "1", "1.002", false},
        ToleranceCase{"1", "1000", "1000.5", false},
        ToleranceCase{"1", "0", "0.001", false},
        ToleranceCase{"1", "0.001", "0", false},
        ToleranceCase{"2", "0", "0.005", true},
        ToleranceCase{"2", "0", "0.02", false},
        ToleranceCase{"2", "-50", "-50.4", true},
        ToleranceCase{"2", "-50", "-50.6", false},
        ToleranceCase{"2", "0.005", "0.0055", false},
        ToleranceCase{"3", "100", "100.9", true},
        ToleranceCase{"3", "100", "101", false}),
    ToleranceCaseName);

}  // namespace
