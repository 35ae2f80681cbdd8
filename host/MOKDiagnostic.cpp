#include "MOKDiagnostic.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <string>

#include "MOKGetEnv.h"

namespace {

std::string PrefixEveryLine(const char* source, const std::string& message) {
  const std::string prefix = std::string(source) + ": ";
  std::string text;
  std::size_t start = 0;
  do {
    const std::size_t end = message.find('\n', start);
    text += prefix;
    text += message.substr(start, end - start);
    text += '\n';
    start = end == std::string::npos ? end : end + 1;
  } while (start != std::string::npos && start < message.size());
  return text;
}

// One write of the whole text keeps the lines of processes that report
// into the same file at once from interleaving.
void WriteWhole(int descriptor, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t count =
        ::write(descriptor, text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    done += static_cast<std::size_t>(count);
  }
}

}  // namespace

void MOKReportDiagnostic(const char* source, const MOKUnicodeString& message) {
  std::string text;
  try {
    text = PrefixEveryLine(source != nullptr ? source : "", message.GetText());
  } catch (const std::bad_alloc&) {
    return;
  }
  const char* file = MOKGetEnv("MOK_DIAGNOSTIC_FILE");
  if (file == nullptr || *file == '\0') {
    WriteWhole(STDERR_FILENO, text);
    return;
  }
  const int descriptor =
      ::open(file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor < 0) return;
  WriteWhole(descriptor, text);
  ::close(descriptor);
}
