#ifndef MOKCallJournal_h
#define MOKCallJournal_h

#include <string>

#include "MOKHostExport.h"

// The order in which a library called the stand-in host's catalog and
// notification dialog, for tests that check what was asked of the host.
// Nothing is recorded unless a journal exists; the innermost one records.
class MOKHOST_EXPORT MOKCallJournal {
 public:
  // Records the host calls made from now until its destruction.
  MOKCallJournal();
  MOKCallJournal(const MOKCallJournal&) = delete;
  MOKCallJournal& operator=(const MOKCallJournal&) = delete;
  ~MOKCallJournal();

  // One "<call> <subject>\n" line per call, in call order.
  const std::string& Read() const;
  // Forgets the calls recorded so far.
  void Reset();

  // Called by the host's services. Never throws: a call that finds no
  // memory to be recorded goes unrecorded, so that watching a call never
  // changes how it fails.
  static void Record(const char* call, const char* subject) noexcept;

 private:
  std::string _Lines;
  MOKCallJournal* _pOuter;
};

#endif
