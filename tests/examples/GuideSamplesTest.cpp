#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "GuideSamples.h"
#include "MemoryStreams.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLFile.h"
#include "VisuXMLMarkup.h"

namespace {

// Returns the fenced code blocks of a Markdown text, without the fences.
std::vector<std::string> FencedBlocks(const std::string& markdown) {
  std::vector<std::string> blocks;
  std::size_t position = 0;
  while ((position = markdown.find("\n```", position)) != std::string::npos) {
    std::size_t start = markdown.find('\n', position + 4);
    std::size_t end = markdown.find("\n```", start);
    if (start == std::string::npos || end == std::string::npos) break;
    blocks.push_back(markdown.substr(start + 1, end - start));
    position = markdown.find('\n', end + 4);
    if (position == std::string::npos) break;
  }
  return blocks;
}

// The sources that the build compiles for the samples of the guide.
std::vector<std::string> CompiledSampleSources() {
  std::vector<std::string> contents;
  const std::string root = std::string(VISUXML_SOURCE_DIR) + "/examples";
  for (const char* folder : {"/demo", "/guide", "/guide/consumer"})
    for (const auto& entry : std::filesystem::directory_iterator(root + folder))
      if (entry.is_regular_file())
        contents.push_back(ReadWholeFile(entry.path().string()));
  return contents;
}

// Tests that every code block of the guide stands verbatim in a compiled
// source, so that the samples cannot drift from code that builds.
TEST(GuideSamplesTest, EveryGuideBlockIsCompiledSource) {
  std::string guide =
      ReadWholeFile(std::string(VISUXML_SOURCE_DIR) + "/docs/guide.md");
  std::vector<std::string> blocks = FencedBlocks(guide);
  EXPECT_GE(blocks.size(), 8u);
  std::vector<std::string> sources = CompiledSampleSources();
  for (const std::string& block : blocks) {
    bool found = false;
    for (const std::string& source : sources)
      found = found || source.find(block) != std::string::npos;
    EXPECT_TRUE(found) << "not in any compiled sample:\n" << block;
  }
}

// Tests that the guide's direct dump writes its interactive file.
TEST(GuideSamplesTest, DirectDumpWritesInteractiveFile) {
  TemporaryDirectory directory;
  ScopedEnvironment temporary("MOKTemp", directory.Path().c_str());
  ASSERT_EQ(RunDirectDump(), 0u);
  EXPECT_NE(ReadWholeFile(directory.File("Notes1.xml"))
                .find("<Note Weight=\"0.13\">first note</Note>"),
            std::string::npos);
}

// Tests that the guide's sample report is what the comparison writes for
// the documents it describes.
TEST(GuideSamplesTest, SampleReportIsWhatComparisonWrites) {
  const std::string scene =
      "<Scene Name=\"Workshop\" Units=\"metre\"><Camera Name=\"MainCamera\" "
      "FieldOfView=\"45.00\"><Position X=\"0.0000\" Y=\"2.5000\" "
      "Z=\"10.0000\"/></Camera><Object Name=\"Crate\" Visible=\"";
  MOKLightXmlElement reference, output, report("VisuXMLErrorReport");
  ASSERT_TRUE(ParseText(scene + "true\"/><Object Name=\"Lamp\" "
                                "Visible=\"false\"/></Scene>",
                        reference));
  ASSERT_TRUE(ParseText(scene + "false\"/></Scene>", output));
  VisuXMLFile referenceFile(reference), outputFile(output);
  EXPECT_EQ(referenceFile.Compare(&outputFile, report), 0);
  std::string written;
  ASSERT_TRUE(WriteText(report, written));
  EXPECT_EQ(written + "\n", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" +
                                std::string(kSampleErrorReport));
  EXPECT_EQ(CountReportErrors(report), 2u);
}

// Tests that the guide's printing sample shows the last refusal's reason.
TEST(GuideSamplesTest, PrintsTheLastMarkupError) {
  ASSERT_EQ(VisuXMLMarkup::CreateXMLMarkup("", VisuXMLRootMarkup), 1u);
  std::ostringstream out;
  PrintMarkupError(out);
  EXPECT_EQ(
      out.str(),
      "declaration refused: The name provided for the XML markup is empty.\n");
}

}  // namespace
