#include "FailingAllocator.h"

#include <new>

namespace {

std::size_t gCount = 0;
std::size_t gFailAt = 0;
bool gFired = false;

bool ShouldFail() {
  ++gCount;
  if (gFailAt != 0 && gCount == gFailAt) {
    gFired = true;
    return true;
  }
  return false;
}

}  // namespace

namespace FailingAllocator {

void FailNth(std::size_t failAt) {
  gCount = 0;
  gFailAt = failAt;
  gFired = false;
}

void Disarm() { gFailAt = 0; }

std::size_t Count() { return gCount; }

void ResetCount() { gCount = 0; }

bool Fired() { return gFired; }

}  // namespace FailingAllocator

// The replacements forward to the throwing forms, so that the sanitizer's
// own allocator still pairs every new with its delete.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (ShouldFail()) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (ShouldFail()) return nullptr;
  try {
    return ::operator new[](size);
  } catch (...) {
    return nullptr;
  }
}
