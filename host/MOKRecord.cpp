#include "MOKRecord.h"

#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "MOKDiagnostic.h"
#include "MOKGetEnv.h"

namespace {

// ---- Level file: "name=level" lines ----

// Reads a whole decimal int with an optional sign; false for anything else.
bool ParseLevel(const std::string& text, int* level) {
  // strtol would skip leading blanks; a level line holds none.
  if (text.empty() || text[0] == ' ' || text[0] == '\t') return false;
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || errno == ERANGE) return false;
  if (value < INT_MIN || value > INT_MAX) return false;
  *level = static_cast<int>(value);
  return true;
}

// The name of a "name=level" line, empty when the line has no '='.
std::string NameOfLine(const std::string& line) {
  const std::size_t equal = line.find('=');
  return equal == std::string::npos ? std::string() : line.substr(0, equal);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (in && std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

int ReadLevel(const std::string& path, const std::string& name, int* level) {
  for (const std::string& line : ReadLines(path)) {
    if (NameOfLine(line) != name) continue;
    int value = 0;
    if (ParseLevel(line.substr(name.size() + 1), &value)) {
      *level = value;
      return 1;
    }
  }
  return 0;
}

bool WriteAll(const std::string& path, const std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written =
      std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

// Replaces the file whole: a reader never sees half a file.
int WriteLevel(const std::string& path, const std::string& name, int level) {
  std::ostringstream content;
  for (const std::string& line : ReadLines(path))
    if (NameOfLine(line) != name) content << line << '\n';
  content << name << '=' << level << '\n';
  const std::string temporary =
      path + ".tmp" + std::to_string(static_cast<long>(::getpid()));
  if (!WriteAll(temporary, content.str()) ||
      std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return 0;
  }
  return 1;
}

bool IsValidName(const char* name) {
  return name != nullptr && *name != '\0' &&
         std::strchr(name, '=') == nullptr &&
         std::strchr(name, '\n') == nullptr;
}

// ---- The process's record ----

MOKRecord* gMainRecord = nullptr;
bool gMainRecordSettled = false;
// The record built from the environment, owned here.
std::unique_ptr<MOKRecord> gEnvironmentRecord;

// A mistyped mode would otherwise run interactively and pass a test job
// that compared nothing, so it is said out loud.
void ReportUnknownMode(const char* mode) {
  MOKReportDiagnostic(
      "VisuXMLDump",
      MOKUnicodeString(
          std::string("Unknown record mode \"") + mode +
          "\" in \"MOK_RECORD_MODE\": the accepted values are \"capture\" "
          "and \"replay\", in any letter case.\n"
          "The process runs without a record, interactively: nothing is "
          "captured or compared."));
}

MOKRecord* BuildRecordFromEnvironment() {
  const char* mode = MOKGetEnv("MOK_RECORD_MODE");
  // An empty value is how a shell clears a variable for one command.
  if (mode == nullptr || *mode == '\0') return nullptr;
  const char* file = MOKGetEnv("MOK_RECORD_FILE");
  if (::strcasecmp(mode, "capture") == 0)
    gEnvironmentRecord.reset(new MOKRecord(MOKRecord::CaptureMode, file));
  else if (::strcasecmp(mode, "replay") == 0)
    gEnvironmentRecord.reset(new MOKRecord(MOKRecord::ReplayMode, file));
  else
    ReportUnknownMode(mode);
  return gEnvironmentRecord.get();
}

}  // namespace

MOKRecord::MOKRecord(Mode mode, const char* levelFilePath)
    : _Mode(mode),
      _LevelFilePath(levelFilePath != nullptr ? levelFilePath : "") {}

MOKRecord::~MOKRecord() = default;

MOKRecord* MOKRecord::GetMain() {
  if (!gMainRecordSettled) {
    gMainRecord = BuildRecordFromEnvironment();
    gMainRecordSettled = true;
  }
  return gMainRecord;
}

void MOKRecord::SetMain(MOKRecord* record) {
  gMainRecord = record;
  gMainRecordSettled = true;
}

int MOKRecord::IsCapture() { return _Mode == CaptureMode ? 1 : 0; }

int MOKRecord::IsReplay() { return _Mode == ReplayMode ? 1 : 0; }

void MOKRecord::SetSoftwareRecordLevel(const char* name, int level) {
  if (_Mode != CaptureMode || _LevelFilePath.empty() || !IsValidName(name))
    return;
  WriteLevel(_LevelFilePath, name, level);
}

int MOKRecord::GetSoftwareRecordLevel(const char* name, int* level) {
  if (level == nullptr || _LevelFilePath.empty() || !IsValidName(name))
    return 0;
  return ReadLevel(_LevelFilePath, name, level);
}
