#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ReplayFolders.h"

namespace {

const char kReference[] = "<S N='d'><O N='a' X='1.00'/><O N='b' X='100'/></S>";
const std::string kVersion6 = "; dump version 6 tolerance.\n";
const std::string kNoGap = "no gap between real values" + kVersion6;

using CompareRunTest = ReplayFolders;

// Tests one line per difference, its place in XPath form with positions
// among same-named siblings (an extra one among its own side's), then the
// summary by kind with the real gaps; --real and --real-all-numeric
// (plain decimals only) make reals; nothing printed when the documents are
// the same.
TEST_F(CompareRunTest, PrintsDifferencesThenSummary) {
  const std::string moved =
      "<S N='d'><O N='a' X='1'/><O N='b' X='100.9'/><O/></S>";
  const std::string extra =
      "/S/O[3]: An extra sub-markup O has been defined in the output file.\n";
  const std::string gap =
      "largest real gap 0.9 at /S/O[2]/@X, largest relative gap 0.9% at "
      "/S/O[2]/@X";
  // Two documents compared, and what that prints.
  const struct {
    std::string reference, output, args;
    int status;
    std::string printed;
  } cases[] = {
      {kReference, kReference, "", CompareSame, ""},
      {kReference, "<S N='e' Z='1'><O N='z'/></S>", "", CompareDifferent,
       "/S/@N: The attribute N value has changed from d to e.\n"
       "/S/@Z: The attribute Z doesn't appear in the reference file.\n"
       "/S/O[1]/@N: The attribute N value has changed from a to z.\n"
       "/S/O[1]/@X: The attribute X doesn't appear in the output file.\n"
       "/S/O[2]: The sub-markup O doesn't appear in the output file.\n"
       "Summary: 5 differences (1 missing element, 2 changed values, 1 "
       "missing attribute, 1 extra attribute); " +
           kNoGap},
      {kReference, moved, "", CompareDifferent,
       "/S/O[1]/@X: The attribute X value has changed from 1.00 to 1.\n"
       "/S/O[2]/@X: The attribute X value has changed from 100 to 100.9.\n" +
           extra +
           "Summary: 3 differences (1 extra element, 2 changed values); " +
           kNoGap},
      {kReference, moved, "--real N --real=X", CompareDifferent,
       extra + "Summary: 1 difference (1 extra element); " + gap + kVersion6},
      {kReference, moved, "--real-all-numeric", CompareDifferent,
       extra + "Summary: 1 difference (1 extra element); " + gap + kVersion6},
      {kReference, "<S N='d'><O N='a' X='1cm'/><O N='b' X='100'/></S>",
       "--real-all-numeric", CompareDifferent,
       "/S/O[1]/@X: The attribute X value has changed from 1.00 to 1cm.\n"
       "Summary: 1 difference (1 changed value); " +
           kNoGap},
      {"<S V='16'/>", "<S V='0x10'/>", "-n", CompareDifferent,
       "/S/@V: The attribute V value has changed from 16 to 0x10.\n"
       "Summary: 1 difference (1 changed value); " +
           kNoGap},
      {kReference, "<S N='d'><O N='a' X='1.00'/><L N='b'/></S>", "",
       CompareDifferent,
       "/S/O[2]: A L markup is read whereas we were waiting for a O markup.\n"
       "Summary: 1 difference (1 name mismatch); " +
           kNoGap},
      {kReference, "<S N='x'><VisuXMLError>bad</VisuXMLError></S>", "",
       CompareDifferent,
       "/S/VisuXMLError[1] (in the output): The reference file or the output "
       "file contains XML error - No XML comparison is possible.\n"
       "Summary: 1 difference (1 file with XML errors); " +
           kNoGap},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    EXPECT_EQ(Compare(c.reference, c.output, Words(c.args)), c.status);
    EXPECT_EQ(_Out, c.printed);
    EXPECT_EQ(_Err, "");
  }
}

// Tests which rule judges two reals 0.5 apart (0.5% of the reference): the
// dump version's, or the bounds given, either of which suffices.
TEST_F(CompareRunTest, ToleranceOptionsReplaceTheVersionRule) {
  const struct {
    const char* args;
    const char* rule;  // Empty when the values agree.
  } cases[] = {
      {"-n", ""},
      {"-n --dump-version=1", "dump version 1 tolerance"},
      {"-n --dump-version 1 --abs-tolerance=0.5", ""},
      {"-n -a 0.25", "tolerance |R-O| <= 0.25"},
      {"-n -r 0.001", "tolerance |R-O| <= 0.001*|R|"},
      {"-n -a 0.25 -r 0.01", ""},
      {"-n -a 0.25 -r 0.001", "tolerance |R-O| <= 0.25 or |R-O| <= 0.001*|R|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    const bool agree = *c.rule == '\0';
    EXPECT_EQ(Compare("<S X='100'/>", "<S X='100.5'/>", Words(c.args)),
              agree ? CompareSame : CompareDifferent);
    EXPECT_EQ(_Out, agree ? std::string()
                          : "/S/@X: The attribute X value has changed from "
                            "100 to 100.5.\nSummary: 1 difference (1 changed "
                            "value); largest real gap 0.5 at /S/@X, largest "
                            "relative gap 0.5% at /S/@X; " +
                                std::string(c.rule) + ".\n");
  }
}

// Tests that --report writes the report a failed replay writes, each error
// where it was found in the mirrored trees.
TEST_F(CompareRunTest, ReportMirrorsTheTrees) {
  const std::string report = _Dir.File("report.xml");
  EXPECT_EQ(
      Compare(kReference, "<S N='e'><O N='a'/></S>", {"--report", report}),
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

// Tests that a file that cannot be read is trouble: each one named on err
// with the system's reason or the reader's position, and the report says
// which file the replay found not valid first.
TEST_F(CompareRunTest, TroubleSaysWhichFileAndWhy) {
  const std::string good = _Dir.File("good.xml"), absent = _Dir.File("no.xml"),
                    broken = _Dir.File("broken.xml"),
                    locked = _Dir.File("locked.xml"), directory = _Dir.Path();
  WriteWholeFile(good, kReference);
  WriteWholeFile(broken, "<S>\n  <O></S>");
  WriteWholeFile(locked, kReference);
  ::chmod(locked.c_str(), 0);
  const struct {
    std::string reference, output, errors, reportError;
  } cases[] = {
      {absent, good, absent + ": No such file or directory\n", "reference"},
      {directory, good, directory + ": Is a directory\n", "reference"},
      {locked, good, locked + ": Permission denied\n", "reference"},
      {good, broken, broken + ": mismatched tag at line 2, column 8\n",
       "output"},
      {broken, absent,
       broken + ": mismatched tag at line 2, column 8\nvisuxml-compare: " +
           absent + ": No such file or directory\n",
       "reference"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.errors);
    // Root reads any file whatever its mode.
    if (c.reference == locked && ::geteuid() == 0) continue;
    const std::string report = _Dir.File("report.xml");
    std::remove(report.c_str());
    EXPECT_EQ(Run({"--report", report}, c.reference, c.output), CompareTrouble);
    EXPECT_EQ(_Err, "visuxml-compare: " + c.errors);
    EXPECT_EQ(_Out, "");
    EXPECT_NE(ReadWholeFile(report).find("<VisuXMLError>The " + c.reportError +
                                         " file is not valid.</VisuXMLError>"),
              std::string::npos);
  }
}

// Tests that a report or page that cannot be written is trouble, after the
// comparison has printed what it found, and that one that would replace a
// compared file is refused before anything is compared.
TEST_F(CompareRunTest, UnwrittenReportOrPageIsTrouble) {
  const std::string identical = "Files " + _Dir.File("ref.xml") + " and " +
                                _Dir.File("out.xml") + " are identical\n";
  const struct {
    const char* option;
    std::string path, printed, error;
  } cases[] = {
      {"--report", _Dir.File("no/report.xml"), identical,
       ": cannot write the report: No such file or directory\n"},
      {"--html", _Dir.Path(), identical,
       ": cannot write the page: Is a directory\n"},
      {"--report", _Dir.Path() + "/./out.xml", "",
       ": the report would replace a compared file\n"},
      {"--html", _Dir.File("out.xml"), "",
       ": the page would replace a compared file\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(Compare(kReference, kReference, {"-s", c.option, c.path}),
              CompareTrouble);
    EXPECT_EQ(_Out, c.printed);
    EXPECT_EQ(_Err, "visuxml-compare: " + c.path + c.error);
    EXPECT_EQ(ReadWholeFile(_Dir.File("out.xml")), kReference);
  }
}

}  // namespace
