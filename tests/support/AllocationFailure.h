#ifndef AllocationFailure_h
#define AllocationFailure_h

#include <cstddef>

// Makes one allocation of this program fail, as running out of memory
// would, counting from the moment it is armed. Tests and fuzz targets link
// the replacements of operator new that it comes with.
namespace AllocationFailure {

enum Mode {
  // Only the non-throwing forms (new with std::nothrow, the library's own
  // wherever it handles running out of memory) are counted; the failed
  // one returns null.
  kNothrow,
  // Every allocation is counted; a throwing form throws std::bad_alloc,
  // as the host's strings and elements do when memory runs out.
  kEvery,
};

// The allocation numbered failAt (1: the next one) fails; later ones
// succeed again. 0 disarms.
void Arm(std::size_t failAt, Mode mode = kNothrow);
void Disarm();
// True once the armed failure has happened.
bool Fired();

}  // namespace AllocationFailure

// Arms the failure for the scope of one operation under test.
class ScopedAllocationFailure {
 public:
  explicit ScopedAllocationFailure(
      std::size_t failAt,
      AllocationFailure::Mode mode = AllocationFailure::kNothrow) {
    AllocationFailure::Arm(failAt, mode);
  }
  ~ScopedAllocationFailure() { AllocationFailure::Disarm(); }
  ScopedAllocationFailure(const ScopedAllocationFailure&) = delete;
  ScopedAllocationFailure& operator=(const ScopedAllocationFailure&) = delete;
};

// Calls run(failAt) for failAt = 1, 2, ... until a run in which the
// armed failure did not happen: run arms it itself (ScopedAllocationFailure)
// around what is under test, so that its own preparations and checks are
// not counted. Gives the number of runs, the last one undisturbed.
template <typename Run>
std::size_t ForEachFailingAllocation(Run run) {
  std::size_t failAt = 0;
  do {
    AllocationFailure::Arm(0);
    run(++failAt);
  } while (AllocationFailure::Fired());
  return failAt;
}

#endif
