#ifndef Limits_h
#define Limits_h

#include <sys/resource.h>

#include <chrono>
#include <cstddef>

// Under the sanitizers every allocation and access costs many times more;
// the giant cases shrink there by this factor.
#ifdef VISUXML_SANITIZED
constexpr std::size_t kSizeDivisor = 20;
#else
constexpr std::size_t kSizeDivisor = 1;
#endif

// Largest resident set of this process so far, in kilobytes.
inline long PeakResidentKilobytes() {
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Seconds since an arbitrary fixed point, monotonic.
inline double NowSeconds() {
  return std::chrono::duration<double>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

#endif
