#include "AllocationFailure.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t gCount = 0;
std::size_t gFailAt = 0;
AllocationFailure::Mode gMode = AllocationFailure::kNothrow;
bool gFired = false;

// Counts the allocation when the mode counts its form, armed or not.
bool Fails(bool nothrowForm) {
  if (!nothrowForm && gMode == AllocationFailure::kNothrow) return false;
  if (++gCount != gFailAt) return false;
  gFired = true;
  return true;
}

void* Allocate(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }

}  // namespace

namespace AllocationFailure {

void Arm(std::size_t failAt, Mode mode) {
  gCount = 0;
  gFailAt = failAt;
  gMode = mode;
  gFired = false;
}

void Disarm() { gFailAt = 0; }

bool Fired() { return gFired; }

}  // namespace AllocationFailure

// Every form of new and delete is replaced, on malloc and free, so that
// the sanitizers (whether their runtime is linked in statically or not)
// see each block freed the way it was made.
void* operator new(std::size_t size) {
  void* block = Fails(false) ? nullptr : Allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Fails(true) ? nullptr : Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Fails(true) ? nullptr : Allocate(size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}
