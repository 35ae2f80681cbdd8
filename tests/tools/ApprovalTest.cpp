#include "Approval.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ReplayFolders.h"

namespace {

// The outputs of a failed replay, by key; U_D_1 has no reference yet.
const char* const kKeys[] = {"T_D_1", "T_D_2", "U_D_1"};

std::string Output(const std::string& key) {
  return "out/" + key.substr(0, 3) + "_Out_" + key.substr(4) + ".xml";
}
std::string Reference(const std::string& key) {
  return "ref/" + key.substr(0, 3) + "_Ref_" + key.substr(4) + ".xml";
}
std::string ErrorReport(const std::string& key) {
  return "out/" + key.substr(0, 3) + "_Error_" + key.substr(4) + ".xml";
}
// Each dump's own document, so that a misplaced copy shows.
std::string NewDump(const std::string& key) {
  return "<S N='" + key + "'>\n</S>\n";
}
std::string OldDump(const std::string& key) { return "<S N='" + key + "'/>"; }

class ApprovalTest : public ReplayFolders {
 protected:
  // A failed run, plus one file in the output folder when given.
  void LeaveFailedRun(const std::string& extra, const std::string& content) {
    Reset();
    for (const std::string key : kKeys) {
      Put(Output(key), NewDump(key));
      Put(ErrorReport(key), "<VisuXMLErrorReport/>");
      if (key[0] == 'T') Put(Reference(key), OldDump(key));
    }
    if (!extra.empty()) Put(extra, content);
  }
  // getopt_long takes the options wherever they stand.
  int Approve(std::vector<std::string> args) {
    args.insert(args.begin(), {Ref(), Out()});
    const ApproveArguments parsed = ParseApproveArguments(args);
    EXPECT_EQ(parsed.command, ApproveCommand::Approve) << parsed.error;
    std::ostringstream out, err;
    const int status = RunApproval(parsed.options, out, err);
    _Out = out.str();
    _Err = err.str();
    return status;
  }
  // Each dump is either approved (its reference holds the new document
  // byte for byte, its output and report are gone) or untouched.
  void ExpectApproved(const std::set<std::string>& approved) {
    for (const std::string key : kKeys) {
      SCOPED_TRACE(key);
      const bool was = approved.count(key) != 0;
      EXPECT_EQ(Read(Reference(key)), was ? NewDump(key)
                                          : key[0] == 'T' ? OldDump(key)
                                                          : "");
      EXPECT_EQ(Exists(Output(key)), !was);
      EXPECT_EQ(Exists(ErrorReport(key)), !was);
    }
  }
  std::string _Out, _Err;
};

// Tests what each command line approves: every output without selector,
// shell patterns on the dump's key, nothing in a dry run; and that a
// selector matching nothing, an output holding an error element (unless
// --force), one that is not well-formed or one without the output form
// refuses the whole approval, changing nothing.
TEST_F(ApprovalTest, ApprovesTheSelectedOutputsOrNothing) {
  const char kBroken[] = "<S><VisuXMLError>Bad.</VisuXMLError></S>";
  const struct {
    std::string extra, content;
    std::vector<std::string> args;
    std::set<std::string> approved;
    std::string printed;  // the dry run's keys, or the refusal's words
  } cases[] = {
      {"", "", {}, {"T_D_1", "T_D_2", "U_D_1"}, ""},
      {"", "", {"T_D_2"}, {"T_D_2"}, ""},
      {"", "", {"[TU]_*_1"}, {"T_D_1", "U_D_1"}, ""},
      {"", "", {"-n", "T_*"}, {}, "T_D_1 T_D_2"},
      {"", "", {"T_D_1", "T_D_3"},
       {},
       "no output in {out} matches 'T_D_3' (selectors match names such as "
       "T_D_1)"},
      {"out/V_D_Out_1.xml", kBroken, {}, {},
       "{out}/V_D_Out_1.xml: holds a VisuXMLError element at "
       "/S/VisuXMLError[1] (Bad.); --force approves it anyway"},
      {"out/V_D_Out_1.xml", kBroken, {"--force", "T_D_2", "V_*"},
       {"T_D_2", "V_D_1"}, ""},
      {"out/T_D_Out_4.xml", "<S>", {"T_*"}, {},
       "{out}/T_D_Out_4.xml: no element found at line 1, column 4"},
      {"out/T_D_Out_x.xml", "<S/>", {"T_*"}, {},
       "{out}/T_D_Out_x.xml: not an output's name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.extra + " " + c.printed);
    LeaveFailedRun(c.extra, c.content);
    const bool dryRun = !c.args.empty() && c.args[0] == "-n";
    const bool refused = c.approved.empty() && !dryRun;
    EXPECT_EQ(Approve(c.args), refused ? ApproveTrouble : ApproveDone);
    std::string expected;
    for (const std::string& key : c.approved)
      expected += "approved " + key + ": " + _Dir.File(Output(key)) + " -> " +
                  _Dir.File(Reference(key)) + "\n";
    if (refused) {
      EXPECT_NE(_Err.find(Expand("visuxml-approve: " + c.printed)),
                std::string::npos) << _Err;
      EXPECT_NE(_Err.find("nothing was approved\n"), std::string::npos);
    } else if (dryRun) {
      EXPECT_EQ(_Out, Expand("would approve T_D_1: {out}/T_D_Out_1.xml -> "
                             "{ref}/T_D_Ref_1.xml\nwould approve T_D_2: "
                             "{out}/T_D_Out_2.xml -> {ref}/T_D_Ref_2.xml\n"));
    } else {
      EXPECT_EQ(_Out, expected);
      EXPECT_EQ(_Err, "");
    }
    ExpectApproved(c.approved);
  }
}

// Tests, with the program in a process whose file size limit is smaller
// than the output, that a reference cut short is never left: the write
// fails, the old reference stays byte for byte with no temporary file
// beside it, and the output waits for another try.
TEST_F(ApprovalTest, ReferenceSurvivesAFailedWrite) {
  LeaveFailedRun("out/T_D_Out_3.xml", std::string(64 * 1024, ' ') + "<S/>");
  Put("ref/T_D_Ref_3.xml", OldDump("T_D_3"));
  // The limit's signal ignored, writing past it fails with EFBIG.
  const std::string command = "cd '" + _Dir.Path() +
                              "' && trap '' XFSZ && ulimit -f 16 && " +
                              VISUXML_APPROVE_PATH +
                              " ref out T_D_3 >stdout 2>stderr";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), ApproveTrouble);
  EXPECT_EQ(Read("stderr"),
            "visuxml-approve: ref/T_D_Ref_3.xml: cannot be replaced: File "
            "too large; it is left as it was\n");
  EXPECT_EQ(Read("ref/T_D_Ref_3.xml"), OldDump("T_D_3"));
  EXPECT_TRUE(Exists("out/T_D_Out_3.xml"));
  std::set<std::string> references;
  for (const auto& entry : std::filesystem::directory_iterator(Ref()))
    references.insert(entry.path().filename().string());
  EXPECT_EQ(references, (std::set<std::string>{"T_D_Ref_1.xml",
                                               "T_D_Ref_2.xml",
                                               "T_D_Ref_3.xml"}));
}

// Tests that a bad command line is refused with what is wrong in it.
TEST(ApproveOptionsTest, RefusesBadCommandLines) {
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{"ref"}, "missing directory: give REF_DIR and OUT_DIR"},
      {{"--bogus", "a", "b"}, "unrecognized option '--bogus'"},
      {{"--force=1", "a", "b"}, "option '--force' doesn't allow an argument"},
      {{"-nx", "a", "b"}, "invalid option -- 'x'"},
  };
  for (const auto& c : cases) {
    const ApproveArguments result = ParseApproveArguments(c.args);
    EXPECT_EQ(result.command, ApproveCommand::BadUsage);
    EXPECT_EQ(result.error, c.error);
  }
  EXPECT_EQ(ParseApproveArguments({"a", "--help"}).command,
            ApproveCommand::ShowHelp);
}

}  // namespace
