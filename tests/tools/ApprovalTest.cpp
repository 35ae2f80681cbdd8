#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Approval.h"
#include "ReplayFolders.h"

namespace {

// The outputs of a failed replay, by key; U_D_1 has no reference yet.
const char* const kKeys[] = {"T_D_1", "T_D_2", "U_D_1"};

// The file of that kind ("Ref", "Out", "Error") for the key.
std::string FileOf(const std::string& kind, const std::string& key) {
  return (kind == "Ref" ? "ref/" : "out/") + key.substr(0, 3) + "_" + kind +
         "_" + key.substr(4) + ".xml";
}
// Each dump's own documents, so that a misplaced copy shows.
std::string NewDump(const std::string& key) {
  return "<S N='" + key + "'>\n</S>\n";
}
std::string OldDump(const std::string& key) { return "<S N='" + key + "'/>"; }

class ApprovalTest : public ReplayFolders {
 protected:
  // A failed run, plus one file when given.
  void LeaveFailedRun(const std::string& extra, const std::string& content) {
    Reset();
    for (const std::string key : kKeys) {
      Put(FileOf("Out", key), NewDump(key));
      Put(FileOf("Error", key), "<VisuXMLErrorReport/>");
      if (key[0] == 'T') Put(FileOf("Ref", key), OldDump(key));
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
      EXPECT_EQ(Read(FileOf("Ref", key)), was             ? NewDump(key)
                                          : key[0] == 'T' ? OldDump(key)
                                                          : "");
      EXPECT_EQ(Exists(FileOf("Out", key)), !was);
      EXPECT_EQ(Exists(FileOf("Error", key)), !was);
    }
  }
};

// Tests what each command line approves: every output without selector,
// shell patterns on the dump's key, nothing in a dry run; and that a
// selector matching nothing, an output holding an error element (unless
// --force), one that is not well-formed or one without the output form
// refuses the whole approval, changing nothing.
TEST_F(ApprovalTest, ApprovesTheSelectedOutputsOrNothing) {
  const char kBroken[] = "<S><VisuXMLError>Bad.</VisuXMLError></S>";
  const struct {
    std::string extra, content, args, approved;
    std::string refusal;  // Empty when the approval goes ahead.
  } cases[] = {
      {"", "", "", "T_D_1 T_D_2 U_D_1", ""},
      {"", "", "T_D_2", "T_D_2", ""},
      {"", "", "[TU]_*_1", "T_D_1 U_D_1", ""},
      {"", "", "-n T_*", "", ""},
      {"", "", "T_D_1 T_D_3", "",
       "no output in {out} matches 'T_D_3' (selectors match names such as "
       "T_D_1)"},
      {"out/V_D_Out_1.xml", kBroken, "", "",
       "{out}/V_D_Out_1.xml: holds a VisuXMLError element at "
       "/S/VisuXMLError[1] (Bad.); --force approves it anyway"},
      {"out/V_D_Out_1.xml", kBroken, "--force T_D_2 V_*", "T_D_2 V_D_1", ""},
      {"out/T_D_Out_4.xml", "<S>", "T_*", "",
       "{out}/T_D_Out_4.xml: no element found at line 1, column 4"},
      {"out/T_D_Out_x.xml", "<S/>", "T_*", "",
       "{out}/T_D_Out_x.xml: not an output's name (TESTCASE_DUMP_Out_N.xml)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.extra + " " + c.refusal);
    LeaveFailedRun(c.extra, c.content);
    const bool dryRun = c.args.rfind("-n", 0) == 0;
    EXPECT_EQ(Approve(Words(c.args)),
              c.refusal.empty() ? ApproveDone : ApproveTrouble);
    std::string printed;
    const std::vector<std::string> approved = Words(c.approved);
    for (const std::string& key : approved)
      printed += "approved " + key + ": " + _Dir.File(FileOf("Out", key)) +
                 " -> " + _Dir.File(FileOf("Ref", key)) + "\n";
    if (dryRun)
      printed = Expand(
          "would approve T_D_1: {out}/T_D_Out_1.xml -> {ref}/"
          "T_D_Ref_1.xml\nwould approve T_D_2: {out}/T_D_Out_2"
          ".xml -> {ref}/T_D_Ref_2.xml\n");
    EXPECT_EQ(_Out, printed);
    EXPECT_EQ(_Err, c.refusal.empty()
                        ? ""
                        : Expand("visuxml-approve: " + c.refusal +
                                 "\nvisuxml-approve: nothing was approved\n"));
    ExpectApproved({approved.begin(), approved.end()});
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
  const std::string command =
      "cd '" + _Dir.Path() + "' && trap '' XFSZ && ulimit -f 16 && " +
      VISUXML_APPROVE_PATH + " ref out T_D_3 >stdout 2>stderr";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), ApproveTrouble);
  EXPECT_EQ(Read("stderr"),
            "visuxml-approve: ref/T_D_Ref_3.xml: cannot be replaced: File "
            "too large; it is left as it was\n");
  EXPECT_EQ(Read("ref/T_D_Ref_3.xml"), OldDump("T_D_3"));
  EXPECT_TRUE(Exists("out/T_D_Out_3.xml"));
  // No temporary file is left beside the references.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Ref()), {}), 3);
}

}  // namespace
