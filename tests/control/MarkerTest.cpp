#include <dlfcn.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class MarkerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(handle_, nullptr) << ::dlerror(); }
  void TearDown() override {
    if (handle_) ::dlclose(handle_);
  }

  void* handle_ = ::dlopen((std::string(VISUXML_BINARY_DIR) + "/VisuXMLDump/libVisuXMLDump.so").c_str(),
                           RTLD_NOW | RTLD_LOCAL);
};

// Tests that the host finds the marker in the shared library by name.
TEST_F(MarkerTest, IsFoundByDlsymAndReturnsOne) {
  auto marker = reinterpret_cast<int (*)()>(::dlsym(handle_, "VARNOK_ZBX2_INTERNAL_VisuXMLDump"));
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(marker(), 1);
}

// Tests that internal symbols stay hidden: only marked classes are exported.
TEST_F(MarkerTest, InternalSymbolsAreHidden) {
  EXPECT_EQ(::dlsym(handle_, "ComparisonFailedExitHook"), nullptr);
}

}  // namespace
