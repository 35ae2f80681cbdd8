#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MemoryStreams.h"
#include "ReplayFolders.h"
#include "compare/VisuXMLTreeReading.h"

namespace {

const char kScene[] = "<S><O X='1'/></S>";
const char kMoved[] = "<S><O X='2'/></S>";
using Files = std::vector<std::pair<std::string, std::string>>;

class DirectoryReviewTest : public ReplayFolders {
 protected:
  // Fresh folders holding the files, then the review of the folders or the
  // comparison of the files named; its status, printed texts kept.
  int Review(const Files& files, std::vector<std::string> args,
             const std::string& reference = "",
             const std::string& output = "") {
    Reset();
    for (const auto& [file, content] : files) Put(file, content);
    return Run(args, reference.empty() ? Ref() : reference,
               output.empty() ? Out() : output);
  }
};

// Tests the review of a replay's output folder: each output compared with
// its reference, a pair that differs under its header, the last line
// counting them; an output without reference is trouble; nothing printed
// when all are the same or there is none, unless -s; other files aside;
// dumps in numeric order.
TEST_F(DirectoryReviewTest, ComparesEveryOutputWithItsReference) {
  const Files same = {{"ref/T_D_Ref_1.xml", kScene},
                      {"out/T_D_Out_1.xml", kScene},
                      {"out/T_D_Error_1.xml", "<R/>"},
                      {"out/notes.txt", "x"},
                      {"out/T_D_Out_x.xml", "x"}};
  Files differs = same;
  differs.insert(differs.end(), {{"ref/T_D_Ref_10.xml", kScene},
                                 {"out/T_D_Out_10.xml", kMoved},
                                 {"ref/T_D_Ref_9.xml", kScene},
                                 {"out/T_D_Out_9.xml", "<S/>"}});
  const std::string moved =
      "/S/O[1]/@X: The attribute X value has changed from 1 to 2.\n";
  const struct {
    Files files;
    const char* args;
    int status;
    std::string out, err;
  } cases[] = {
      {{}, "", CompareSame, "", ""},
      {same, "", CompareSame, "", ""},
      {same, "-s", CompareSame,
       "Files {ref}/T_D_Ref_1.xml and {out}/T_D_Out_1.xml are identical\n"
       "0 of 1 dumps differ from their references.\n",
       ""},
      {differs, "", CompareDifferent,
       "T_D_9: reference {ref}/T_D_Ref_9.xml, output {out}/T_D_Out_9.xml\n"
       "/S/O[1]: The sub-markup O doesn't appear in the output file.\n"
       "Summary: 1 difference (1 missing element); no gap between real "
       "values; dump version 6 tolerance.\n\n"
       "T_D_10: reference {ref}/T_D_Ref_10.xml, output {out}/T_D_Out_10.xml\n" +
           moved +
           "Summary: 1 difference (1 changed value); no gap "
           "between real values; dump version 6 tolerance.\n\n"
           "2 of 3 dumps differ from their references.\n",
       ""},
      {differs, "-q", CompareDifferent, "", ""},
      {{{"out/T_D_Out_3.xml", kScene}},
       "",
       CompareTrouble,
       "0 of 1 dumps differ from their references; 1 could not be compared.\n",
       "visuxml-compare: {ref}/T_D_Ref_3.xml: No such file or directory\n"},
      {same, "--report r.xml", CompareTrouble, "",
       "visuxml-compare: --report applies to two files; a replay leaves "
       "each dump's error report in its output directory\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(Review(c.files, Words(c.args)), c.status);
    EXPECT_EQ(_Out, Expand(c.out));
    EXPECT_EQ(_Err, Expand(c.err));
  }
}

// The headings of the page's dump sections, in order.
std::vector<std::string> PageSections(const std::string& page) {
  std::vector<std::string> sections;
  for (std::size_t at = page.find("<h2>"); at != std::string::npos;
       at = page.find("<h2>", at + 1))
    sections.push_back(page.substr(at + 4, page.find('<', at + 4) - at - 4));
  return sections;
}

// Tests, by reading it back, the JUnit report of both modes: a testcase per
// compared dump named after the output's file name, a failure whose
// message is the first difference and whose text is every line, an error
// for trouble, the counts, and texts with the characters XML escapes. The
// review's page, written beside it, covers the run: each dump that failed
// or could not be compared in its section.
TEST_F(DirectoryReviewTest, RunReportsReadBack) {
  const std::string junit = _Dir.File("junit.xml");
  const std::string html = _Dir.File("page.html");
  const Files run = {{"ref/Case_Scene_Ref_1.xml", kScene},
                     {"out/Case_Scene_Out_1.xml", kScene},
                     {"ref/Case_Scene_Ref_2.xml", "<S N='a&lt;&amp;\"'/>"},
                     {"out/Case_Scene_Out_2.xml", "<S N='b'><O/></S>"},
                     {"out/Case_Scene_Out_3.xml", kScene}};
  EXPECT_EQ(Review(run, {"--junit", junit, "--html", html}), CompareTrouble);
  const std::string page = ReadWholeFile(html);
  EXPECT_NE(page.find("<title>visuxml-compare: 2 differences, 2 of 3 dumps "
                      "failed</title>"),
            std::string::npos);
  EXPECT_EQ(PageSections(page),
            (std::vector<std::string>{"Case_Scene_Out_2.xml",
                                      "Case_Scene_Out_3.xml"}));
  const std::string changed =
      "/S/@N: The attribute N value has changed from a<&\" to b.";
  const std::string summary =
      "Summary: 2 differences (1 extra element, 1 changed value); no gap "
      "between real values; dump version 6 tolerance.";
  MOKLightXmlElement tree;
  ASSERT_TRUE(VisuXMLReadTree(MOKUnicodeString(junit), tree, nullptr));
  EXPECT_EQ(Describe(tree),
            Expand("testsuites(name=visuxml-compare, tests=3, failures=1, "
                   "errors=1) [testsuite(name={out}, tests=3, failures=1, "
                   "errors=1) [testcase(classname=Case, name=Scene_1, "
                   "file={out}/Case_Scene_Out_1.xml) | "
                   "testcase(classname=Case, name=Scene_2, "
                   "file={out}/Case_Scene_Out_2.xml) [failure(message=" +
                   changed + ", type=differences) \"" + changed +
                   "\n/S/O[1]: An extra sub-markup O has been defined in the "
                   "output file.\n" +
                   summary +
                   "\n\"] | testcase(classname=Case, name=Scene_3, "
                   "file={out}/Case_Scene_Out_3.xml) [error(message="
                   "{ref}/Case_Scene_Ref_3.xml: No such file or directory, "
                   "type=trouble) \"{ref}/Case_Scene_Ref_3.xml: No such file "
                   "or directory\n\"]]]"));

  const std::string file = Ref() + "/Case_Scene_Ref_1.xml";
  EXPECT_EQ(Review(run, {"-q", "--junit", junit}, file, file), CompareSame);
  ASSERT_TRUE(VisuXMLReadTree(MOKUnicodeString(junit), tree, nullptr));
  EXPECT_EQ(Describe(tree),
            Expand("testsuites(name=visuxml-compare, tests=1, failures=0, "
                   "errors=0) [testsuite(name={ref}/Case_Scene_Ref_1.xml, "
                   "tests=1, failures=0, errors=0) [testcase(classname="
                   "visuxml-compare, name=Case_Scene_Ref_1.xml, "
                   "file={ref}/Case_Scene_Ref_1.xml)]]"));
}

}  // namespace
