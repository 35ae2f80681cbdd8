#include "MOKDlgNotify.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "MOKCallJournal.h"

namespace {

void WriteNotificationLine(std::FILE* stream, const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fflush(stream);
}

}  // namespace

MOKDlgNotify::MOKDlgNotify(MOKDialog* parent, const MOKString& name,
                           unsigned long style)
    : MOKDialog(parent, name), _Style(style) {
  MOKCallJournal::Record("MOKDlgNotify", name.GetText());
}

MOKDlgNotify::~MOKDlgNotify() = default;

int MOKDlgNotify::DisplayBlocked(const MOKUnicodeString& message,
                                 const MOKUnicodeString& title) {
  const std::string line = title.GetText() + "\t" + message.GetText() + "\n";
  const char* logPath = std::getenv("MOK_NOTIFY_LOG");
  std::FILE* log = logPath != nullptr ? std::fopen(logPath, "a") : nullptr;
  if (log != nullptr) {
    WriteNotificationLine(log, line);
    std::fclose(log);
  } else {
    WriteNotificationLine(stderr, line);
  }
  return 1;
}

unsigned long MOKDlgNotify::GetStyle() const { return _Style; }
