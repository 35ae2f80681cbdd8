#ifndef FuzzSupport_h
#define FuzzSupport_h

// What the library fuzz targets share: a per-input dump version, a nothrow
// allocation an input can make fail, and checks that stop the run as a
// crash. Each target is a single translation unit, so the replaced
// operators below are defined once per program.

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <new>

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

// The nothrow allocation still to go before the one that fails; 0: none.
std::size_t gAllocationsBeforeFailure = 0;
bool gAllocationFailed = false;

bool ShouldFailAllocation() {
  if (gAllocationsBeforeFailure == 0) return false;
  if (--gAllocationsBeforeFailure != 0) return false;
  gAllocationFailed = true;
  return true;
}

// Names the broken expectation, then stops the run as a crash.
[[noreturn]] void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: expectation failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace

#define Check(condition) \
  ((condition) ? static_cast<void>(0) : Fail(#condition, __FILE__, __LINE__))

// Forwarded to the throwing forms, so that the sanitizer still pairs every
// allocation with its release.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (ShouldFailAllocation()) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (ShouldFailAllocation()) return nullptr;
  try {
    return ::operator new[](size);
  } catch (...) {
    return nullptr;
  }
}

#endif
