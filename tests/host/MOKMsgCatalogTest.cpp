#include <gtest/gtest.h>

#include <string>

#include "MOKMsgCatalog.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"

namespace {

// Catalogs written into a directory of their own, searched first.
class MOKMsgCatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteWholeFile(_First.File("Probe.catalog"),
                   "# Probe texts\n"
                   "\n"
                   "Probe.Greeting = Hello {1}, {2}!\r\n"
                   "Probe.Plain=Plain text\n");
    WriteWholeFile(_Second.File("Probe.catalog"), "Probe.Other=Second\n");
  }

  std::string Build(const char* catalog, const char* key,
                    const MOKUnicodeString* parameters = nullptr,
                    int count = 0) {
    return MOKMsgCatalog::BuildMessage(catalog, key, parameters, count,
                                       "default")
        .GetText();
  }

  TemporaryDirectory _First;
  TemporaryDirectory _Second;
  std::string _SearchPath = _First.Path() + "::" + _Second.Path();
  ScopedEnvironment _Path{"MOK_CATALOG_PATH", _SearchPath.c_str()};
};

// Tests that a key's text is read with its surrounding blanks trimmed.
TEST_F(MOKMsgCatalogTest, ReadsTheKeysText) {
  EXPECT_EQ(Build("Probe", "Probe.Plain"), "Plain text");
}

// Tests that numbered placeholders take the parameters.
TEST_F(MOKMsgCatalogTest, ReplacesParameters) {
  const MOKUnicodeString parameters[] = {"Ann", "Bob"};
  EXPECT_EQ(Build("Probe", "Probe.Greeting", parameters, 2), "Hello Ann, Bob!");
}

// Tests that a missing key gives the default text.
TEST_F(MOKMsgCatalogTest, MissingKeyGivesDefault) {
  EXPECT_EQ(Build("Probe", "Probe.Absent"), "default");
}

// Tests that the first catalog found is the only one read.
TEST_F(MOKMsgCatalogTest, FirstCatalogFoundHidesLaterOnes) {
  EXPECT_EQ(Build("Probe", "Probe.Other"), "default");
}

// Tests that a catalog found nowhere gives the default text.
TEST_F(MOKMsgCatalogTest, MissingCatalogGivesDefault) {
  EXPECT_EQ(Build("NoSuchCatalogAnywhere", "Probe.Plain"), "default");
}

// Tests that the shipped dump command catalog holds the notification texts.
TEST_F(MOKMsgCatalogTest, ShippedCommandCatalogHasTheTexts) {
  ScopedEnvironment shipped("MOK_CATALOG_PATH",
                            VISUXML_SOURCE_DIR "/resources");
  EXPECT_EQ(Build("VisuXMLDumpCommand", "VisuXMLDumpCommandNotifyPanel.Title"),
            "XML Dump");
  EXPECT_NE(Build("VisuXMLDumpCommand",
                  "VisuXMLDumpCommandNotifyPanel.DumpCompleted"),
            "default");
  EXPECT_NE(Build("VisuXMLDumpCommand",
                  "VisuXMLDumpCommandNotifyPanel.DumpFailed"),
            "default");
}

}  // namespace
