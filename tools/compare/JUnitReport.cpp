#include "JUnitReport.h"

#include "DifferenceText.h"

namespace {

// Texts may hold any byte: the writer makes them XML.
MOKUnicodeString Text(const std::string& text) {
  return MOKUnicodeString(text);
}

struct Counts {
  unsigned long tests = 0;
  unsigned long failures = 0;
  unsigned long errors = 0;
};

void SetCounts(MOKLightXmlElement& element, const Counts& counts) {
  element.SetAttributeValue("tests", Text(std::to_string(counts.tests)));
  element.SetAttributeValue("failures", Text(std::to_string(counts.failures)));
  element.SetAttributeValue("errors", Text(std::to_string(counts.errors)));
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The failure or error of a dump that is not the same as its reference.
MOKLightXmlElement Verdict(const ComparedDump& dump) {
  const bool failed = dump.status == CompareDifferent;
  MOKLightXmlElement verdict(failed ? "failure" : "error");
  std::vector<std::string> lines;
  if (failed) {
    for (const FoundDifference& difference : dump.differences)
      lines.push_back(FormatDifference(difference));
    lines.push_back(dump.summary);
  } else {
    lines = dump.troubles;
  }
  if (lines.empty()) lines.push_back("not compared");
  verdict.SetAttributeValue("message", Text(lines.front()));
  verdict.SetAttributeValue("type", failed ? "differences" : "trouble");
  verdict.SetValue(Text(Lines(lines)));
  return verdict;
}

MOKLightXmlElement TestCase(const ComparedDump& dump) {
  MOKLightXmlElement testCase("testcase");
  testCase.SetAttributeValue("classname", Text(dump.testCase));
  testCase.SetAttributeValue("name", Text(dump.label));
  testCase.SetAttributeValue("file", Text(dump.outputPath));
  if (dump.status != CompareSame) testCase.AddChild(Verdict(dump));
  return testCase;
}

}  // namespace

MOKLightXmlElement JUnitReport(const std::vector<ComparedDump>& dumps,
                               const std::string& suiteName) {
  MOKLightXmlElement suite("testsuite");
  suite.SetAttributeValue("name", Text(suiteName));
  Counts counts;
  for (const ComparedDump& dump : dumps) {
    ++counts.tests;
    if (dump.status == CompareDifferent) ++counts.failures;
    if (dump.status == CompareTrouble) ++counts.errors;
  }
  SetCounts(suite, counts);
  for (const ComparedDump& dump : dumps) suite.AddChild(TestCase(dump));
  MOKLightXmlElement suites("testsuites");
  suites.SetAttributeValue("name", "visuxml-compare");
  SetCounts(suites, counts);
  suites.AddChild(std::move(suite));
  return suites;
}
