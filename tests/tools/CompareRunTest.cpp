#include "CompareRun.h"

#include <gtest/gtest.h>

#include <sstream>

#include "MOKLightXmlInputFile.h"
#include "MOKLightXmlParser.h"
#include "TemporaryDirectory.h"

namespace {

const char kReference[] =
    "<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.00\"/>"
    "<Object Name=\"b\" X=\"100\"/></Scene>";

class CompareRunTest : public ::testing::Test {
 protected:
  // Writes the output file, compares it with kReference and keeps what
  // was printed.
  int Compare(const std::string& output, std::vector<std::string> extra = {}) {
    WriteWholeFile(_Dir.File("ref.xml"), kReference);
    WriteWholeFile(_Dir.File("out.xml"), output);
    return Run(extra);
  }
  int Run(std::vector<std::string> args) {
    return RunOn(args, _Dir.File("ref.xml"), _Dir.File("out.xml"));
  }
  int RunOn(std::vector<std::string> args, const std::string& reference,
            const std::string& output) {
    args.push_back(reference);
    args.push_back(output);
    CompareArguments arguments = ParseCompareArguments(args);
    std::ostringstream out;
    std::ostringstream err;
    int status = RunCompare(arguments.options, out, err);
    _Out = out.str();
    _Err = err.str();
    return status;
  }
  std::string FirstLine() const { return _Out.substr(0, _Out.find('\n')); }

  TemporaryDirectory _Dir;
  std::string _Out;
  std::string _Err;
};

// Tests that identical files give status 0 and only the summary.
TEST_F(CompareRunTest, IdenticalFilesGiveNoDifference) {
  EXPECT_EQ(Compare(kReference), CompareSame);
  EXPECT_EQ(_Out,
            "Summary: no difference; no real values compared; dump version "
            "6.\n");
  EXPECT_EQ(_Err, "");
}

// Tests that a changed text value is printed with its path and message.
TEST_F(CompareRunTest, ChangedValueLine) {
  EXPECT_EQ(Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.00\"/>"
                    "<Object Name=\"c\" X=\"100\"/></Scene>"),
            CompareDifferent);
  EXPECT_EQ(FirstLine(),
            "/Scene/Object[2]/@Name: The attribute Name value has changed "
            "from b to c.");
  EXPECT_NE(_Out.find("Summary: 1 difference (1 changed value)"),
            std::string::npos);
}

// Tests that a real attribute within the tolerance is no difference, and
// that the summary shows the largest gap.
TEST_F(CompareRunTest, RealWithinToleranceAgrees) {
  EXPECT_EQ(Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.00\"/>"
                    "<Object Name=\"b\" X=\"100.9\"/></Scene>",
                    {"--real", "X"}),
            CompareSame);
  EXPECT_NE(_Out.find("largest real gap 0.9 at /Scene/Object[2]/@X"),
            std::string::npos);
}

// Tests that without a declaration the same numbers differ as text.
TEST_F(CompareRunTest, UndeclaredNumbersCompareAsText) {
  EXPECT_EQ(Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.00\"/>"
                    "<Object Name=\"b\" X=\"100.9\"/></Scene>"),
            CompareDifferent);
}

// Tests that --real-all-numeric declares the numeric attributes real.
TEST_F(CompareRunTest, AllNumericDeclaresReals) {
  EXPECT_EQ(Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1\"/>"
                    "<Object Name=\"b\" X=\"100.9\"/></Scene>",
                    {"--real-all-numeric"}),
            CompareSame);
}

// Tests that --dump-version selects the absolute tolerance of version 1.
TEST_F(CompareRunTest, DumpVersionOneIsAbsolute) {
  EXPECT_EQ(Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.002\"/>"
                    "<Object Name=\"b\" X=\"100\"/></Scene>",
                    {"--real", "X", "--dump-version", "1"}),
            CompareDifferent);
  EXPECT_EQ(FirstLine(),
            "/Scene/Object[1]/@X: The attribute X value has changed from 1.00 "
            "to 1.002.");
}

// Tests that a child missing from the output is located in the reference.
TEST_F(CompareRunTest, MissingChildPath) {
  EXPECT_EQ(Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.00\"/>"
                    "</Scene>"),
            CompareDifferent);
  EXPECT_EQ(FirstLine(),
            "/Scene/Object[2]: The sub-markup Object doesn't appear in the "
            "output file.");
}

// Tests that an extra output child is located among the output's children.
TEST_F(CompareRunTest, ExtraChildPath) {
  EXPECT_EQ(Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.00\"/>"
                    "<Object Name=\"b\" X=\"100\"/><Light/></Scene>"),
            CompareDifferent);
  EXPECT_EQ(FirstLine(),
            "/Scene/Light[1]: An extra sub-markup Light has been defined in "
            "the output file.");
}

// Tests that a name mismatch is reported at the reference element's path.
TEST_F(CompareRunTest, NameMismatchPath) {
  EXPECT_EQ(Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.00\"/>"
                    "<Light Name=\"b\"/></Scene>"),
            CompareDifferent);
  EXPECT_EQ(FirstLine(),
            "/Scene/Object[2]: A Light markup is read whereas we were waiting "
            "for a Object markup.");
}

// Tests that an error element in a file stops the comparison, as a replay
// does, and tells where the element stands.
TEST_F(CompareRunTest, ErrorElementBlocksComparison) {
  EXPECT_EQ(Compare("<Scene Name=\"x\"><VisuXMLError>bad</VisuXMLError>"
                    "</Scene>"),
            CompareDifferent);
  EXPECT_EQ(FirstLine(),
            "/Scene/VisuXMLError[1] (in the output): The reference file or "
            "the output file contains XML error - No XML comparison is "
            "possible.");
}

// Tests that the report mirrors the trees with the error where it was
// found, under the root a replay gives it.
TEST_F(CompareRunTest, ReportMirrorsTheTrees) {
  Compare("<Scene Name=\"demo\"><Object Name=\"a\" X=\"1.00\"/>"
          "<Object Name=\"c\" X=\"100\"/></Scene>",
          {"--report", _Dir.File("report.xml")});
  MOKLightXmlInputFile input(_Dir.File("report.xml").c_str());
  MOKLightXmlParser parser;
  MOKLightXmlElement report;
  ASSERT_EQ(parser.Parse(input, report), 1);
  EXPECT_EQ(report.GetName().GetText(), "VisuXMLErrorReport");
  ASSERT_EQ(report.GetChildCount(), 1u);
  MOKLightXmlElement* second = report.GetChildAt(0)->GetChildAt(1);
  ASSERT_EQ(second->GetChildCount(), 1u);
  EXPECT_EQ(second->GetChildAt(0)->GetName().GetText(), "VisuXMLError");
  EXPECT_EQ(second->GetChildAt(0)->GetValue().GetText(),
            "The attribute Name value has changed from b to c.");
}

// Tests that a reference that cannot be read is trouble, named on err.
TEST_F(CompareRunTest, UnreadableReferenceIsTrouble) {
  WriteWholeFile(_Dir.File("out.xml"), kReference);
  EXPECT_EQ(Run({}), CompareTrouble);
  EXPECT_EQ(_Err, "visuxml-compare: cannot read " + _Dir.File("ref.xml") + "\n");
  EXPECT_EQ(_Out, "");
}

// Tests that a directory given as a file cannot be read.
TEST_F(CompareRunTest, DirectoryIsUnreadable) {
  WriteWholeFile(_Dir.File("ref.xml"), kReference);
  EXPECT_EQ(RunOn({}, _Dir.Path(), _Dir.File("ref.xml")), CompareTrouble);
  EXPECT_EQ(_Err, "visuxml-compare: cannot read " + _Dir.Path() + "\n");
}

// Tests that an output that is not well-formed is trouble, named on err.
TEST_F(CompareRunTest, MalformedOutputIsTrouble) {
  EXPECT_EQ(Compare("<Scene><Object></Scene>"), CompareTrouble);
  EXPECT_EQ(_Err, "visuxml-compare: " + _Dir.File("out.xml") +
                      " is not well-formed XML\n");
}

// Tests that trouble with the reference still gives the replay's report.
TEST_F(CompareRunTest, TroubleReportNamesTheInvalidFile) {
  WriteWholeFile(_Dir.File("out.xml"), kReference);
  EXPECT_EQ(Run({"--report", _Dir.File("report.xml")}), CompareTrouble);
  EXPECT_NE(ReadWholeFile(_Dir.File("report.xml"))
                .find("The reference file is not valid."),
            std::string::npos);
}

}  // namespace
