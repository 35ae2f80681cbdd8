#include <gtest/gtest.h>

#include "MOKPath.h"

namespace {

// Tests that every backslash becomes '/' and nothing else changes.
TEST(MOKPathTest, MapsEveryBackslashToSlash) {
  EXPECT_EQ(MOKToNativePath("OUT\\T1_Scene_Out_3.xml"), "OUT/T1_Scene_Out_3.xml");
  EXPECT_EQ(MOKToNativePath("a\\\\b/c"), "a//b/c");
  EXPECT_EQ(MOKToNativePath(""), "");
}

}  // namespace
