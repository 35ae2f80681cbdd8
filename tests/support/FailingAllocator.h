#ifndef FailingAllocator_h
#define FailingAllocator_h

#include <cstddef>

// Makes the n-th non-throwing allocation (operator new with std::nothrow,
// the form the library uses wherever it handles running out of memory)
// fail. Throwing allocations are never failed.
namespace FailingAllocator {

// Arms the hook: the allocation numbered failAt (1 = the next one) returns
// null; later ones succeed again.
void FailNth(std::size_t failAt);
// Disarms the hook.
void Disarm();
// Non-throwing allocations made since the last FailNth or ResetCount.
std::size_t Count();
void ResetCount();
// True when the armed failure has happened.
bool Fired();

}  // namespace FailingAllocator

// Arms the hook for the scope of one operation under test.
class ScopedAllocationFailure {
 public:
  explicit ScopedAllocationFailure(std::size_t failAt) {
    FailingAllocator::FailNth(failAt);
  }
  ~ScopedAllocationFailure() { FailingAllocator::Disarm(); }
  ScopedAllocationFailure(const ScopedAllocationFailure&) = delete;
  ScopedAllocationFailure& operator=(const ScopedAllocationFailure&) = delete;
};

#endif
