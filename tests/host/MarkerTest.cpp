#include <dlfcn.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Tests that the host finds the marker in the shared library by name.
TEST(MarkerTest, IsFoundByDlsymAndReturnsOne) {
  const std::string library =
      std::string(VISUXML_BINARY_DIR) + "/VisuXMLDump/libVisuXMLDump.so";
  void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << ::dlerror();
  using Marker = int (*)();
  auto marker = reinterpret_cast<Marker>(
      ::dlsym(handle, "VARNOK_ZBX2_INTERNAL_VisuXMLDump"));
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(marker(), 1);
  ::dlclose(handle);
}

// Tests that internal symbols stay hidden: only marked classes are exported.
TEST(MarkerTest, InternalSymbolsAreHidden) {
  const std::string library =
      std::string(VISUXML_BINARY_DIR) + "/VisuXMLDump/libVisuXMLDump.so";
  void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << ::dlerror();
  EXPECT_EQ(::dlsym(handle, "ComparisonFailedExitHook"), nullptr);
  ::dlclose(handle);
}

}  // namespace
