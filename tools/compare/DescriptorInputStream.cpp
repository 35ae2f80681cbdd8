#include "DescriptorInputStream.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

long DescriptorInputStream::Read(char* buffer, std::size_t size) {
  if (size > LONG_MAX) size = LONG_MAX;
  for (;;) {
    const ssize_t count = ::read(_Descriptor, buffer, size);
    if (count >= 0) return static_cast<long>(count);
    // A signal that interrupts the wait is no reason to stop reading.
    if (errno == EINTR) continue;
    _FailureReason = std::strerror(errno);
    return -1;
  }
}
