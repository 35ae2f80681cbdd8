#include "CompareRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "TemporaryDirectory.h"

namespace {

const char kReference[] = "<S N='d'><O N='a' X='1.00'/><O N='b' X='100'/></S>";
const std::string kNoGap = "no real values compared; dump version 6.\n";
const std::string kGap =
    "largest real gap 0.9 at /S/O[2]/@X, largest relative gap 0.9% at "
    "/S/O[2]/@X; dump version 6.\n";

class CompareRunTest : public ::testing::Test {
 protected:
  // Runs the comparison of two paths, the options first; keeps the output.
  int Run(std::vector<std::string> args, const std::string& reference,
          const std::string& output) {
    args.push_back(reference);
    args.push_back(output);
    std::ostringstream out, err;
    const int status =
        RunCompare(ParseCompareArguments(args).options, out, err);
    _Out = out.str();
    _Err = err.str();
    return status;
  }
  // Compares kReference with the output document.
  int Compare(const std::string& output, const std::vector<std::string>& args) {
    WriteWholeFile(_Dir.File("ref.xml"), kReference);
    WriteWholeFile(_Dir.File("out.xml"), output);
    return Run(args, _Dir.File("ref.xml"), _Dir.File("out.xml"));
  }
  TemporaryDirectory _Dir;
  std::string _Out, _Err;
};

// An output document compared with kReference, and what that prints.
struct RunCase {
  const char* output;
  std::vector<std::string> args;
  int status;
  std::string printed;
};

// Tests one line per difference, its place in XPath form with positions
// among same-named siblings, then the summary by kind with the real gaps;
// --real and --real-all-numeric declare real attributes, numbers only.
TEST_F(CompareRunTest, PrintsDifferencesThenSummary) {
  const std::string moved =
      "<S N='d'><O N='a' X='1.00'/><O N='b' X='100.9'/></S>";
  const RunCase cases[] = {
      {kReference, {}, CompareSame, "Summary: no difference; " + kNoGap},
      {"<S N='e' Z='1'><O N='z'/></S>", {}, CompareDifferent,
       "/S/@N: The attribute N value has changed from d to e.\n"
       "/S/@Z: The attribute Z doesn't appear in the reference file.\n"
       "/S/O[1]/@N: The attribute N value has changed from a to z.\n"
       "/S/O[1]/@X: The attribute X doesn't appear in the output file.\n"
       "/S/O[2]: The sub-markup O doesn't appear in the output file.\n"
       "Summary: 5 differences (1 missing element, 2 changed values, 1 "
       "missing attribute, 1 extra attribute); " + kNoGap},
      {moved.c_str(), {}, CompareDifferent,
       "/S/O[2]/@X: The attribute X value has changed from 100 to 100.9.\n"
       "Summary: 1 difference (1 changed value); " + kNoGap},
      {moved.c_str(), {"--real", "N", "--real", "X"}, CompareSame,
       "Summary: no difference; " + kGap},
      {"<S N='d'><O N='a' X='1'/><O N='b' X='100.9'/></S>",
       {"--real-all-numeric"}, CompareSame, "Summary: no difference; " + kGap},
      {"<S N='d'><O N='a' X='1cm'/><O N='b' X='100'/></S>",
       {"--real-all-numeric"}, CompareDifferent,
       "/S/O[1]/@X: The attribute X value has changed from 1.00 to 1cm.\n"
       "Summary: 1 difference (1 changed value); " + kNoGap},
      {"<S N='d'><O N='a' X='1.00'/><O N='b' X='100'/><L/></S>", {},
       CompareDifferent,
       "/S/L[1]: An extra sub-markup L has been defined in the output file.\n"
       "Summary: 1 difference (1 extra element); " + kNoGap},
      {"<S N='d'><O N='a' X='1.00'/><L N='b'/></S>", {}, CompareDifferent,
       "/S/O[2]: A L markup is read whereas we were waiting for a O markup.\n"
       "Summary: 1 difference (1 name mismatch); " + kNoGap},
      {"<S N='x'><VisuXMLError>bad</VisuXMLError></S>", {}, CompareDifferent,
       "/S/VisuXMLError[1] (in the output): The reference file or the output "
       "file contains XML error - No XML comparison is possible.\n"
       "Summary: 1 difference (1 file with XML errors); " + kNoGap},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.output);
    EXPECT_EQ(Compare(c.output, c.args), c.status);
    EXPECT_EQ(_Out, c.printed);
    EXPECT_EQ(_Err, "");
  }
}

// Tests that --report writes the report a replay writes, each error where
// it was found in the mirrored trees.
TEST_F(CompareRunTest, ReportMirrorsTheTrees) {
  const std::string report = _Dir.File("report.xml");
  EXPECT_EQ(Compare("<S N='e'><O N='a'/></S>", {"--report", report}),
            CompareDifferent);
  EXPECT_EQ(ReadWholeFile(report),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<VisuXMLErrorReport>\n"
            "  <S N=\"e\">\n"
            "    <VisuXMLError>The attribute N value has changed from d to "
            "e.</VisuXMLError>\n"
            "    <O N=\"a\">\n"
            "      <VisuXMLError>The attribute X doesn't appear in the output "
            "file.</VisuXMLError>\n"
            "    </O>\n"
            "    <VisuXMLError>The sub-markup O doesn't appear in the output "
            "file.</VisuXMLError>\n"
            "  </S>\n"
            "</VisuXMLErrorReport>");
}

// Tests that a file that cannot be read or is not well-formed is trouble,
// named in one line on err and in the report as a replay names it.
TEST_F(CompareRunTest, TroubleIsNamedOnErrorAndInTheReport) {
  const std::string good = _Dir.File("good.xml"), absent = _Dir.File("no.xml"),
                    broken = _Dir.File("broken.xml"), directory = _Dir.Path();
  WriteWholeFile(good, kReference);
  WriteWholeFile(broken, "<S><O></S>");
  const struct {
    std::string reference, output, error, reportError;
  } cases[] = {
      {absent, good, "cannot read " + absent, "reference"},
      {directory, good, "cannot read " + directory, "reference"},
      {good, absent, "cannot read " + absent, "output"},
      {good, broken, broken + " is not well-formed XML", "output"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    const std::string report = _Dir.File("report.xml");
    std::remove(report.c_str());
    EXPECT_EQ(Run({"--report", report}, c.reference, c.output), CompareTrouble);
    EXPECT_EQ(_Err, "visuxml-compare: " + c.error + "\n");
    EXPECT_EQ(_Out, "");
    EXPECT_NE(ReadWholeFile(report).find("<VisuXMLError>The " + c.reportError +
                                         " file is not valid.</VisuXMLError>"),
              std::string::npos);
  }
}

}  // namespace
