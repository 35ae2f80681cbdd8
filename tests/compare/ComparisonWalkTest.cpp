#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "MemoryStreams.h"
#include "compare/VisuXMLComparisonWalk.h"
#include "compare/VisuXMLReplayDecision.h"
#include "compare/VisuXMLTreeReading.h"

namespace {

// Attributes named r, s or t hold reals.
class RealsByName : public VisuXMLRealAttributes {
 public:
  bool IsReal(const MOKUnicodeString& name) const override {
    return name.GetText().size() == 1 && name.GetText().find_first_of("rst") == 0;
  }
};

// Notes every difference as "kind place", numbers compared as "#R/O", and
// every pair of numbers read as "~place".
class PlaceRecorder : public VisuXMLDifferenceListener {
 public:
  void OnDifference(const VisuXMLDifference& difference,
                    const VisuXMLDifferencePlace& place) override {
    _Trace += std::to_string(static_cast<int>(difference._Kind)) + " " + place.XPath();
    if (difference._ComparedAsNumbers)
      _Trace += " #" + Number(difference._ReferenceNumber) + "/" + Number(difference._OutputNumber);
    _Trace += ";";
  }
  void OnNumbersCompared(const MOKUnicodeString&, double, double,
                         const VisuXMLDifferencePlace& place) override {
    _Trace += "~" + place.XPath() + ";";
  }
  std::string _Trace;

 private:
  static std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
  }
};

VisuXMLFile* File(const std::string& text) {
  MOKLightXmlElement tree;
  const bool read = ParseText(text, tree);
  return VisuXMLTreeReading::NewFileHolding(std::move(tree), read);
}

// Compares two documents under a tolerance; gives the trace.
std::string Trace(const std::string& reference, const std::string& output,
                  VisuXMLTolerance tolerance = VisuXMLTolerance::OfDumpVersion(6)) {
  static const RealsByName reals;
  const std::unique_ptr<VisuXMLFile> referenceFile(File(reference));
  const std::unique_ptr<VisuXMLFile> outputFile(File(output));
  PlaceRecorder recorder;
  MOKLightXmlElement result;
  VisuXMLComparisonWalk::Compare(*referenceFile, outputFile.get(), result,
                                 VisuXMLComparisonSettings{tolerance, &reals}, &recorder);
  return recorder._Trace;
}

// Tests where each kind of difference is placed: elements counted among
// their namesakes, unpaired children among their own side's, attributes
// below their element; numbers read only when the texts differ.
TEST(ComparisonWalkTest, PlacesEveryDifference) {
  EXPECT_EQ(Trace("<a><b/><c/><b x='1'/></a>", "<a><b/><c/><b x='2'/><c/><c/></a>"),
            "3 /a/b[2]/@x;2 /a/c[2];2 /a/c[3];");
  EXPECT_EQ(Trace("<a><b/><b><c/><d/></b></a>", "<a><b/><b><c/></b></a>"), "1 /a/b[2]/d[1];");
  EXPECT_EQ(Trace("<a><b/><c r='1'/></a>", "<a><b/><d r='1'/></a>"), "0 /a/c[1];");
  EXPECT_EQ(Trace("<a/>", "<z/>"), "0 /a;");
  EXPECT_EQ(Trace("<a r='1.0' s='5' t='x' u='1'/>", "<a r='1.00' s='9' t='y' u='2'/>"),
            "~/a/@r;~/a/@s;3 /a/@s #5/9;3 /a/@t;3 /a/@u;");
  EXPECT_EQ(Trace("<a q='1' v='2'/>", "<a v='2' w='3'/>"), "4 /a/@q;5 /a/@w;");
}

// Tests bounds of the caller's own: a pair agrees when either bound holds,
// bounds included; an absent bound never holds.
TEST(ComparisonWalkTest, BoundsReplaceTheVersionRule) {
  const VisuXMLTolerance absolute = VisuXMLTolerance::WithBounds(0.5, -1);
  const VisuXMLTolerance relative = VisuXMLTolerance::WithBounds(-1, 0.1);
  const VisuXMLTolerance either = VisuXMLTolerance::WithBounds(0.5, 0.1);
  EXPECT_TRUE(absolute.Agree(10, 10.5));
  EXPECT_FALSE(absolute.Agree(10, 10.6));
  EXPECT_TRUE(relative.Agree(10, 11));
  EXPECT_FALSE(relative.Agree(0, 0.001));
  EXPECT_TRUE(either.Agree(0, 0.4));
  EXPECT_TRUE(either.Agree(100, 109));
  EXPECT_FALSE(either.Agree(1, 1.6));
  EXPECT_EQ(Trace("<a r='10'/>", "<a r='10.6'/>", absolute), "~/a/@r;3 /a/@r #10/10.6;");
}

// Tests the replay's order of decision: reference, output, error elements,
// then the comparison; the report holds the reason or the result tree.
TEST(ComparisonWalkTest, DecidesInTheReplayOrder) {
  const struct { const char *reference, *output; VisuXMLReplayOutcome outcome; } kCases[] = {
      {"<a", "<a/>", VisuXMLReplayOutcome::ReferenceNotValid},
      {"<a/>", "", VisuXMLReplayOutcome::OutputNotValid},
      {"<a><VisuXMLError/></a>", "<b/>", VisuXMLReplayOutcome::HoldsErrors},
      {"<a/>", "<a><VisuXMLError/></a>", VisuXMLReplayOutcome::HoldsErrors},
      {"<a/>", "<b/>", VisuXMLReplayOutcome::Different},
      {"<a x='1'/>", "<a x='1'/>", VisuXMLReplayOutcome::Same}};
  for (const auto& c : kCases) {
    const std::unique_ptr<VisuXMLFile> reference(File(c.reference));
    const std::unique_ptr<VisuXMLFile> output(File(c.output));
    MOKLightXmlElement report;
    unsigned int differences = 9;
    EXPECT_EQ(VisuXMLDecideReplay(*reference, *output, report,
                                  {VisuXMLTolerance::OfDumpVersion(6), nullptr}, nullptr,
                                  &differences),
              c.outcome)
        << c.reference << " " << c.output;
    EXPECT_EQ(report.GetChildCount(), 1u);
    EXPECT_EQ(differences, c.outcome == VisuXMLReplayOutcome::Different ? 1u : 0u);
  }
}

}  // namespace
