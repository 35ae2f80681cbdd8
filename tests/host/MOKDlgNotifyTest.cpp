#include <gtest/gtest.h>

#include <string>

#include "MOKDlgNotify.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"

namespace {

class MOKDlgNotifyTest : public ::testing::Test {
 protected:
  TemporaryDirectory _Directory;
  std::string _LogPath = _Directory.File("notify.log");
  ScopedEnvironment _Log{"MOK_NOTIFY_LOG", _LogPath.c_str()};
  MOKDlgNotify _Panel{nullptr, "Panel", 0x4100200};
};

// Tests that each display appends one title-tab-message line and returns 1.
TEST_F(MOKDlgNotifyTest, DisplayAppendsOneLinePerCall) {
  EXPECT_EQ(_Panel.DisplayBlocked("first", "Title"), 1);
  EXPECT_EQ(_Panel.DisplayBlocked("second", "Title"), 1);
  EXPECT_EQ(ReadWholeFile(_LogPath), "Title\tfirst\nTitle\tsecond\n");
}

}  // namespace
