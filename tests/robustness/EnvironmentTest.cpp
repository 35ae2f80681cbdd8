#include <cctype>
#include <climits>

#include "RobustnessSupport.h"
#include "VisuXMLDumpVersion.h"

namespace {

// The version and modes settle once per process, so every row of these
// tables is a test of its own.
struct EnvironmentCase {
  std::string Value;
  int Expected;
};

void PrintTo(const EnvironmentCase& value, std::ostream* out) {
  std::string shown = value.Value.substr(0, 40);
  for (char& c : shown) c = std::isprint(static_cast<unsigned char>(c)) ? c : '?';
  *out << '"' << shown << "\" -> " << value.Expected;
}

// Whatever "VISU_XML_DUMP_VERSION" holds, the version settles to a number
// (digit runs beyond an int saturate) and everything reading it works.
class DumpVersionEnvironmentTest
    : public ::testing::TestWithParam<EnvironmentCase> {};

// Tests that the value settles as expected and numbers still format and
// compare under it.
TEST_P(DumpVersionEnvironmentTest, SettlesAndKeepsWorking) {
  ScopedEnvironment version("VISU_XML_DUMP_VERSION", GetParam().Value.c_str());
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), GetParam().Expected);
  MOKUnicodeString text;
  VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(0.125f, text, 0);
  EXPECT_STREQ(static_cast<const char*>(text), "0.13");
  ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute), 0u);
  MOKLightXmlElement reference(MOKUnicodeString("Scene"));
  reference.SetAttributeValue("Size", "100");
  MOKLightXmlElement output(MOKUnicodeString("Scene"));
  output.SetAttributeValue("Size", "100.9");
  VisuXMLFile referenceFile(reference);
  VisuXMLFile outputFile(output);
  MOKLightXmlElement result(MOKUnicodeString("VisuXMLErrorReport"));
  EXPECT_EQ(referenceFile.Compare(&outputFile, result), 1);
  VisuXMLAttribute::DestroyAttributes();
}

INSTANTIATE_TEST_SUITE_P(
    Values, DumpVersionEnvironmentTest,
    ::testing::Values(EnvironmentCase{"99999999999999999999", INT_MAX},
                      EnvironmentCase{"-99999999999999999999", INT_MIN},
                      EnvironmentCase{"2147483648", INT_MAX},
                      EnvironmentCase{"-2147483648", INT_MIN},
                      EnvironmentCase{"-3", -3}, EnvironmentCase{"not a number", 0},
                      EnvironmentCase{"", 0}, EnvironmentCase{"  +7 and more", 7},
                      EnvironmentCase{std::string(1 << 20, '9'), INT_MAX}));

// A forced replay with a reference equal to the dump under any
// "UpdateVisuXMLDump": an update (Expected 1) rewrites the reference, a
// replay compares and agrees; either way the result is 0, nothing else
// is written.
class UpdateEnvironmentTest : public ::testing::TestWithParam<EnvironmentCase> {
 protected:
  TemporaryDirectory _References;
  TemporaryDirectory _Outputs;
};

// Tests that the value selects update or replay and the dump succeeds.
TEST_P(UpdateEnvironmentTest, SelectsTheModeAndTheDumpSucceeds) {
  ScopedEnvironment update("UpdateVisuXMLDump", GetParam().Value.c_str());
  ScopedEnvironment references("KVB_TRQ_REF", _References.Path().c_str());
  ScopedEnvironment outputs("KVB_TRQ_OUT", _Outputs.Path().c_str());
  ScopedEnvironment name("TRQ_LOG_NAME", "T1");
  const std::string reference = _References.File("T1_Scene_Ref_1.xml");
  std::string stored;
  ASSERT_TRUE(WriteText(ExpectedScene(), stored));
  stored += "  \n";  // an update rewrites it without
  WriteWholeFile(reference, stored);
  SceneControler controler(3, 1);
  ASSERT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(ReadWholeFile(reference) != stored, GetParam().Expected == 1);
  EXPECT_FALSE(FileExists(_Outputs.File("T1_Scene_Out_1.xml")));
  EXPECT_FALSE(FileExists(_Outputs.File("T1_Scene_Error_1.xml")));
}

INSTANTIATE_TEST_SUITE_P(
    Values, UpdateEnvironmentTest,
    ::testing::Values(EnvironmentCase{"99999999999999999999", 1},
                      EnvironmentCase{"-99999999999999999999", 0},
                      EnvironmentCase{"-1", 0}, EnvironmentCase{"0", 0},
                      EnvironmentCase{"yes", 0}, EnvironmentCase{"", 0},
                      EnvironmentCase{"1", 1}));

// A replayed record whose level file is missing, a directory, or holds
// garbage: the version falls back to the built-in 6 (or the one good line).
class RecordFileTest : public ::testing::TestWithParam<EnvironmentCase> {
 protected:
  TemporaryDirectory _Temporary;
};

// Tests that the level file's content settles the version as expected,
// quickly ("missing", "directory" and "huge" stand for those files).
TEST_P(RecordFileTest, GarbageKeepsTheBuiltInVersion) {
  std::string path = _Temporary.File("levels");
  const std::string& content = GetParam().Value;
  if (content == "directory") path = _Temporary.Path();
  if (content == "huge")
    WriteWholeFile(path, std::string((std::size_t{64} << 20) / kSizeDivisor, 'x'));
  else if (content != "missing" && content != "directory")
    WriteWholeFile(path, content);
  ScopedEnvironment mode("MOK_RECORD_MODE", "replay");
  ScopedEnvironment file("MOK_RECORD_FILE", path.c_str());
  const double start = NowSeconds();
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), GetParam().Expected);
  EXPECT_LT(NowSeconds() - start, 30.0);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, RecordFileTest,
    ::testing::Values(
        EnvironmentCase{"missing", 6}, EnvironmentCase{"directory", 6},
        EnvironmentCase{"huge", 6},
        EnvironmentCase{std::string("\x01\0\xff\xfe\x80junk\0\x7f\n=\0", 14), 6},
        EnvironmentCase{"VisuXMLDumpLevel=99999999999999999999\n", 6},
        EnvironmentCase{"VisuXMLDumpLevel=\nVisuXMLDumpLevel= 5\n"
                        "VisuXMLDumpLevel=5x\n=3\nVisuXMLDumpLevel\n", 6},
        EnvironmentCase{"\x01\x02garbage\nVisuXMLDumpLevel=x\n"
                        "VisuXMLDumpLevel=4\r\n\xff\xfe", 4}));

}  // namespace
