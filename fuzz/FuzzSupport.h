#ifndef FuzzSupport_h
#define FuzzSupport_h

// What the library fuzz targets share: a per-input dump version, the
// tests' allocation failure (an input can make a nothrow allocation fail),
// and checks that stop the run as a crash.

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "AllocationFailure.h"
#include "VisuXMLDumpVersion.h"

// The version class befriends this name so that a process can work under
// more than one version; here every input picks its own.
class VisuXMLDumpVersionTestAccess {
 public:
  static void Set(int version) {
    VisuXMLDumpVersion::_DumpVersion = version;
    VisuXMLDumpVersion::_VersionInitialized = 1;
  }
};

namespace {

// Names the broken expectation, then stops the run as a crash.
[[noreturn]] void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: expectation failed: %s\n", file, line,
               condition);
  std::abort();
}

}  // namespace

#define Check(condition) \
  ((condition) ? static_cast<void>(0) : Fail(#condition, __FILE__, __LINE__))

#endif
