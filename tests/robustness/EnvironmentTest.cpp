#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <string>

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "RobustnessSupport.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLFile.h"

namespace {

// ---- "VISU_XML_DUMP_VERSION" ----

struct VersionCase {
  const char* Value;
  int Expected;
};

void PrintTo(const VersionCase& value, std::ostream* out) {
  *out << '"' << std::string(value.Value).substr(0, 40) << '"';
}

// Whatever the variable holds, the version settles to a number (digit runs
// beyond an int saturate) and everything that reads it keeps working.
class DumpVersionEnvironmentTest
    : public ::testing::TestWithParam<VersionCase> {};

// Tests that the value settles as expected and numbers still format and
// compare under it.
TEST_P(DumpVersionEnvironmentTest, SettlesAndKeepsWorking) {
  ScopedEnvironment version("VISU_XML_DUMP_VERSION", GetParam().Value);
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

const std::string kLongDigits(1 << 20, '9');

INSTANTIATE_TEST_SUITE_P(
    Values, DumpVersionEnvironmentTest,
    ::testing::Values(VersionCase{"99999999999999999999", INT_MAX},
                      VersionCase{"-99999999999999999999", INT_MIN},
                      VersionCase{"2147483648", INT_MAX},
                      VersionCase{"-2147483648", INT_MIN},
                      VersionCase{"-3", -3},
                      VersionCase{"not a number", 0},
                      VersionCase{"", 0},
                      VersionCase{"  +7 and more", 7},
                      VersionCase{kLongDigits.c_str(), INT_MAX}));

// ---- "UpdateVisuXMLDump" ----

struct UpdateCase {
  const char* Value;
  bool Updates;
};

void PrintTo(const UpdateCase& value, std::ostream* out) {
  *out << '"' << value.Value << '"';
}

// A forced replay with a reference equal to the dump: an update rewrites
// the reference, a replay compares and agrees. Either way the result is 0
// and nothing else is written.
class UpdateEnvironmentTest : public ::testing::TestWithParam<UpdateCase> {
 protected:
  TemporaryDirectory _References;
  TemporaryDirectory _Outputs;
};

// Tests that the value selects update or replay and the dump succeeds.
TEST_P(UpdateEnvironmentTest, SelectsTheModeAndTheDumpSucceeds) {
  ScopedEnvironment update("UpdateVisuXMLDump", GetParam().Value);
  ScopedEnvironment references("KVB_TRQ_REF", _References.Path().c_str());
  ScopedEnvironment outputs("KVB_TRQ_OUT", _Outputs.Path().c_str());
  ScopedEnvironment name("TRQ_LOG_NAME", "T1");
  const std::string reference = _References.File("T1_Scene_Ref_1.xml");
  const std::string stored = "<Scene Name=\"demo\"><Light>sun</Light><Camera/>"
                             "<Object Name=\"Object0\" Size=\"0.00\"/>"
                             "<Object Name=\"Object1\" Size=\"0.25\"/>"
                             "<Object Name=\"Object2\" Size=\"0.50\"/></Scene>";
  WriteWholeFile(reference, stored);

  SceneControler controler(3, 1);
  ASSERT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(ReadWholeFile(reference) != stored, GetParam().Updates);
  EXPECT_FALSE(FileExists(_Outputs.File("T1_Scene_Out_1.xml")));
  EXPECT_FALSE(FileExists(_Outputs.File("T1_Scene_Error_1.xml")));
}

INSTANTIATE_TEST_SUITE_P(
    Values, UpdateEnvironmentTest,
    ::testing::Values(UpdateCase{"99999999999999999999", true},
                      UpdateCase{"-99999999999999999999", false},
                      UpdateCase{"-1", false}, UpdateCase{"0", false},
                      UpdateCase{"yes", false}, UpdateCase{"", false},
                      UpdateCase{"1", true}));

// ---- The record service's level file ----

// A replayed record whose level file cannot be read or holds garbage: the
// version falls back to the built-in 6 (or the one good line), quickly.
class RecordFileTest : public ::testing::Test {
 protected:
  int VersionWithLevelFile(const std::string& path) {
    ScopedEnvironment mode("MOK_RECORD_MODE", "replay");
    ScopedEnvironment file("MOK_RECORD_FILE", path.c_str());
    return VisuXMLDumpVersion::GetVersionNumber();
  }
  int VersionWithContent(const std::string& content) {
    const std::string path = _Temporary.File("levels");
    WriteWholeFile(path, content);
    return VersionWithLevelFile(path);
  }

  TemporaryDirectory _Temporary;
};

// Tests that a missing level file leaves the built-in version.
TEST_F(RecordFileTest, MissingFileKeepsBuiltInVersion) {
  EXPECT_EQ(VersionWithLevelFile(_Temporary.File("none")), 6);
}

// Tests that a directory in place of the level file leaves the built-in
// version.
TEST_F(RecordFileTest, DirectoryKeepsBuiltInVersion) {
  EXPECT_EQ(VersionWithLevelFile(_Temporary.Path()), 6);
}

// Tests that binary junk, NUL bytes included, leaves the built-in version.
TEST_F(RecordFileTest, BinaryJunkKeepsBuiltInVersion) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 167) & 0xFF);
  EXPECT_EQ(VersionWithContent(junk), 6);
}

// Tests that a level beyond an int is refused, not wrapped.
TEST_F(RecordFileTest, OverlongLevelKeepsBuiltInVersion) {
  EXPECT_EQ(VersionWithContent("VisuXMLDumpLevel=99999999999999999999\n"), 6);
}

// Tests that empty, blank-led and non-numeric levels are refused.
TEST_F(RecordFileTest, MalformedLevelsKeepBuiltInVersion) {
  EXPECT_EQ(VersionWithContent("VisuXMLDumpLevel=\nVisuXMLDumpLevel= 5\n"
                               "VisuXMLDumpLevel=5x\n=3\nVisuXMLDumpLevel\n"),
            6);
}

// Tests that one good line among garbage is found.
TEST_F(RecordFileTest, GoodLineAmongGarbageIsRead) {
  EXPECT_EQ(VersionWithContent("\x01\x02garbage\nVisuXMLDumpLevel=x\n"
                               "VisuXMLDumpLevel=4\r\n\xff\xfe"),
            4);
}

// Tests that a single 64 MB line is read through in bounded time.
TEST_F(RecordFileTest, HugeLineKeepsBuiltInVersion) {
  const std::size_t size = (std::size_t{64} << 20) / (kSizeDivisor > 1 ? 8 : 1);
  const double start = NowSeconds();
  EXPECT_EQ(VersionWithContent(std::string(size, 'x')), 6);
  EXPECT_LT(NowSeconds() - start, 30.0);
}

// Tests that a capture whose level file cannot be written (a directory
// stands there) goes on quietly and leaves the directory alone.
TEST_F(RecordFileTest, UnwritableLevelFileInCaptureIsIgnored) {
  const std::string levels = _Temporary.File("levels");
  ASSERT_EQ(::mkdir(levels.c_str(), 0755), 0);
  ScopedEnvironment mode("MOK_RECORD_MODE", "capture");
  ScopedEnvironment file("MOK_RECORD_FILE", levels.c_str());
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 6);
  struct stat info;
  ASSERT_EQ(::stat(levels.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
}

}  // namespace
