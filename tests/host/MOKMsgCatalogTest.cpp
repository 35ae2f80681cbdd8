#include <gtest/gtest.h>

#include <string>

#include "MOKDlgNotify.h"
#include "MOKMsgCatalog.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"

namespace {

// Tests that a key's text is read trimmed with its parameters, and that a
// missing key or a missing catalog give the default text.
TEST(MOKMsgCatalogTest, BuildsTextOrDefault) {
  TemporaryDirectory catalogs;
  ScopedEnvironment path("MOK_CATALOG_PATH", catalogs.Path().c_str());
  WriteWholeFile(catalogs.File("Probe.catalog"),
                 "# Texts\n\nProbe.Greeting = Hello {1}, {2}!\r\n");
  const struct {
    const char* Catalog;
    const char* Key;
    const char* Text;
  } rows[] = {{"Probe", "Probe.Greeting", "Hello Ann, Bob!"},
              {"Probe", "Probe.Absent", "default"},
              {"NoSuchCatalog", "Probe.Greeting", "default"}};
  const MOKUnicodeString parameters[] = {"Ann", "Bob"};
  for (const auto& row : rows)
    EXPECT_EQ(MOKMsgCatalog::BuildMessage(row.Catalog, row.Key, parameters, 2,
                                          "default")
                  .GetText(),
              row.Text)
        << row.Key;
}

// Tests that without a catalog path the package's own catalogs are found,
// relative to the host library (here the build tree's copy).
TEST(MOKMsgCatalogTest, FindsThePackageCatalogsBesideTheLibrary) {
  ScopedEnvironment path("MOK_CATALOG_PATH", nullptr);
  EXPECT_EQ(MOKMsgCatalog::BuildMessage("VisuXMLDumpCommand",
                                        "VisuXMLDumpCommandNotifyPanel.Title",
                                        nullptr, 0, "default")
                .GetText(),
            "XML Dump");
}

// Tests that each notification appends one title-tab-message line to the
// log and returns 1.
TEST(MOKDlgNotifyTest, DisplayAppendsOneLinePerCall) {
  TemporaryDirectory directory;
  ScopedEnvironment log("MOK_NOTIFY_LOG", directory.File("notify.log").c_str());
  MOKDlgNotify panel(nullptr, "Panel", 0x4100200);
  EXPECT_EQ(panel.DisplayBlocked("first", "Title"), 1);
  EXPECT_EQ(panel.DisplayBlocked("second", "Title"), 1);
  EXPECT_EQ(ReadWholeFile(directory.File("notify.log")),
            "Title\tfirst\nTitle\tsecond\n");
}

}  // namespace
