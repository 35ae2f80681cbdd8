#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

// The shared library as the build made it, loaded as the host loads it.
class MarkerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(_Handle, nullptr) << ::dlerror(); }
  void TearDown() override {
    if (_Handle != nullptr) ::dlclose(_Handle);
  }

  void* _Handle = ::dlopen(VISUXML_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
};

// Tests that the host finds the marker in the shared library by name.
TEST_F(MarkerTest, IsFoundByDlsymAndReturnsOne) {
  const auto marker = reinterpret_cast<int (*)()>(
      ::dlsym(_Handle, "VARNOK_ZBX2_INTERNAL_VisuXMLDump"));
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(marker(), 1);
}

// Tests that internal symbols stay hidden: only marked classes are exported.
TEST_F(MarkerTest, InternalSymbolsAreHidden) {
  EXPECT_EQ(::dlsym(_Handle, "ComparisonFailedExitHook"), nullptr);
}

}  // namespace
