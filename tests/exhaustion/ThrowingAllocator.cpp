#include "ThrowingAllocator.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t gCount = 0;
std::size_t gThrowAt = 0;
bool gFired = false;

}  // namespace

namespace ThrowingAllocator {

void ThrowAt(std::size_t throwAt) {
  gCount = 0;
  gThrowAt = throwAt;
  gFired = false;
}

void Disarm() { gThrowAt = 0; }

bool Fired() { return gFired; }

}  // namespace ThrowingAllocator

// Every form of new and delete of this program is replaced, on malloc and
// free, so that the sanitizer sees each block freed the way it was made.
void* operator new(std::size_t size) {
  if (gThrowAt != 0 && ++gCount == gThrowAt) {
    gFired = true;
    throw std::bad_alloc();
  }
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void* operator new[](std::size_t size) { return ::operator new(size); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
