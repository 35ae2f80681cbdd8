#include <gtest/gtest.h>

#include <string>

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

}  // namespace
