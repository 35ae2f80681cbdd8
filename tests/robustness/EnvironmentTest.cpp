#include <string>

#include "DumpFixture.h"
#include "Limits.h"
#include "VisuXMLDumpVersion.h"

namespace {

// A replayed record whose level file is missing, a directory, huge or
// garbage: the version falls back to the built-in 6 (or the one good line).
// The version settles once per process: ctest gives each row a process.
class RecordFileTest : public DumpFixture,
                       public ::testing::WithParamInterface<std::string> {};

// Tests that the level file's content settles the version as expected,
// quickly ("missing", "directory" and "huge" stand for those files).
TEST_P(RecordFileTest, GarbageKeepsTheBuiltInVersion) {
  const std::string& content = GetParam();
  std::string path = _Tmp.File("levels");
  if (content == "directory")
    path = _Tmp.Path();
  else if (content == "huge")
    WriteWholeFile(path, std::string((64u << 20) / kSizeDivisor, 'x'));
  else if (content != "missing")
    WriteWholeFile(path, content);
  Set("MOK_RECORD_MODE", "replay");
  Set("MOK_RECORD_FILE", path);
  const double start = NowSeconds();
  const bool goodLine = content.find("=4\r") != std::string::npos;
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), goodLine ? 4 : 6);
  EXPECT_LT(NowSeconds() - start, 30.0);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, RecordFileTest,
    ::testing::Values(
        "missing", "directory", "huge",
        std::string("\x01\0\xff\xfe\x80junk\0\x7f\n=\0", 14),
        "VisuXMLDumpLevel=99999999999999999999\n",
        "VisuXMLDumpLevel=\nVisuXMLDumpLevel= 5\nVisuXMLDumpLevel=5x\n=3\n"
        "VisuXMLDumpLevel\n",
        "\x01\x02garbage\nVisuXMLDumpLevel=x\nVisuXMLDumpLevel=4\r\n\xff\xfe"));

}  // namespace
