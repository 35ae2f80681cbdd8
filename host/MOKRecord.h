#ifndef MOKRecord_h
#define MOKRecord_h

#include <string>

#include "MOKHostExport.h"

// The host's capture/replay record service. Software levels are named
// integers kept in a level file of "name=level" lines: a capture stores a
// level there at once, a replay reads it back.
class MOKHOST_EXPORT MOKRecord {
 public:
  enum Mode { CaptureMode = 1, ReplayMode = 2 };

  // A record in that mode whose levels live in the file at levelFilePath.
  MOKRecord(Mode mode, const char* levelFilePath);
  MOKRecord(const MOKRecord&) = delete;
  MOKRecord& operator=(const MOKRecord&) = delete;
  ~MOKRecord();

  // The process's record, or null when there is none. Unless one was
  // installed with SetMain, the first call builds it from the environment:
  // "MOK_RECORD_MODE" "capture" or "replay" in any letter case, levels in
  // "MOK_RECORD_FILE" (optional: without it no level is kept). Unset or
  // empty means no record; any other value also means none, and says so
  // through the diagnostic channel, naming the value and the accepted ones.
  static MOKRecord* GetMain();
  // Installs the process's record (null: none); the caller keeps ownership.
  static void SetMain(MOKRecord* record);

  // Non-zero while recording the user's interaction.
  int IsCapture();
  // Non-zero while replaying a recording.
  int IsReplay();

  // Keeps the level under the name; in a capture the level file is
  // rewritten at once. Ignored outside a capture.
  void SetSoftwareRecordLevel(const char* name, int level);
  // 1 and the level in *level when the file holds one under the name;
  // otherwise 0 and *level unchanged.
  int GetSoftwareRecordLevel(const char* name, int* level);

 private:
  Mode _Mode;
  std::string _LevelFilePath;
};

#endif
