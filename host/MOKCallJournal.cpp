#include "MOKCallJournal.h"

#include <new>

namespace {

MOKCallJournal* gRecording = nullptr;

}  // namespace

MOKCallJournal::MOKCallJournal() : _pOuter(gRecording) { gRecording = this; }

MOKCallJournal::~MOKCallJournal() { gRecording = _pOuter; }

const std::string& MOKCallJournal::Read() const { return _Lines; }

void MOKCallJournal::Reset() { _Lines.clear(); }

void MOKCallJournal::Record(const char* call, const char* subject) noexcept {
  if (gRecording == nullptr) return;
  try {
    // Built apart, so that running out of memory leaves no half line.
    const std::string line = std::string(call) + " " + subject + "\n";
    gRecording->_Lines += line;
  } catch (const std::bad_alloc&) {
    // Watching must not change how the watched call fails.
  }
}
