#ifndef RobustnessSupport_h
#define RobustnessSupport_h

// Everything the robustness tests share, includes too.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "MemoryStreams.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLFile.h"
#include "VisuXMLMarkup.h"

// Under the sanitizers every allocation and access costs many times more;
// the giant cases shrink there by this factor.
#ifdef VISUXML_SANITIZED
constexpr std::size_t kSizeDivisor = 20;
#else
constexpr std::size_t kSizeDivisor = 1;
#endif

// Reaches the controller's private dump counter.
class VisuXMLDumpControlerTestAccess {
 public:
  static unsigned int Counter() { return VisuXMLDumpControler::_DumpCounter; }
  static void SetCounter(unsigned int counter) {
    VisuXMLDumpControler::_DumpCounter = counter;
  }
};

// A client with a small but complete grammar (required and optional
// attributes, a group, a repeated markup, texts); its dump returns 3 once
// any declaration or stream call reported running out of memory.
class SceneControler : public VisuXMLDumpControler {
 public:
  explicit SceneControler(std::size_t objects = 3, unsigned char replay = 0)
      : _Objects(objects) {
    _ForceReplayMode = replay;
  }
  VisuXMLError DumpXML() override;
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }

 private:
  void Call(VisuXMLError result) { _OutOfMemory |= result == 3; }
  std::size_t _Objects;
  bool _OutOfMemory = false;
};

// The document SceneControler streams, built by hand.
MOKLightXmlElement ExpectedScene(std::size_t objects = 3);

// The file written by the interactive dump numbered counter in directory.
inline std::string DumpFile(const std::string& directory, unsigned int counter) {
  return directory + "/Scene" + std::to_string(counter) + ".xml";
}

// Number of entries of the directory, dot files aside.
inline std::size_t CountEntries(const std::string& path) {
  std::size_t count = 0;
  if (DIR* directory = ::opendir(path.c_str())) {
    while (dirent* entry = ::readdir(directory)) count += entry->d_name[0] != '.';
    ::closedir(directory);
  }
  return count;
}

// Largest resident set of this process so far, in kilobytes.
inline long PeakResidentKilobytes() {
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Seconds since an arbitrary fixed point, monotonic.
inline double NowSeconds() {
  return std::chrono::duration<double>(
             std::chrono::steady_clock::now().time_since_epoch()).count();
}

#endif
