#ifndef ThrowingAllocator_h
#define ThrowingAllocator_h

#include <cstddef>

// Makes the n-th allocation of this program throw std::bad_alloc, as the
// host's strings and elements do when memory really runs out. The hook
// replaces the throwing operator new (which the nothrow forms of the shared
// FailingAllocator forward to, so they fail too, returning null).
namespace ThrowingAllocator {

// Arms the hook: the allocation numbered throwAt (1 = the next one) fails.
void ThrowAt(std::size_t throwAt);
// Disarms the hook.
void Disarm();
// True when the armed failure has happened.
bool Fired();

}  // namespace ThrowingAllocator

#endif
