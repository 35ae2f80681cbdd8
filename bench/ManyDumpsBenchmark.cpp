// A replay suite's usual load: many small dumps in one process. Each dump
// is streamed through its declared grammar by a controller in replay mode,
// which reads the dump's reference from disk and compares; every dump
// equals its reference. The floor is what no replay can avoid: Expat
// parsing the same references, plus building the same trees directly with
// the host element. Both are measured in turns of 100 dumps within each
// run (see BM_Dumps).
//
// The same dumps, linked as a replay run's references and outputs, are
// also reviewed by visuxml-compare in its directory mode, in a fresh
// process, against Expat alone reading the run's files in one process.
//
// Environment: VISUXML_BENCH_DIR (where the references are written, once),
// VISUXML_BENCH_DUMPS (2000 by default), VISUXML_BENCH_DUMP_OBJECTS
// (objects per dump, 137 by default: about 50 KB of XML).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "ExpatFloor.h"
#ifdef VISUXML_COMPARE_PATH
#include "FreshProcess.h"
#endif
#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "SceneDocument.h"
#include "SceneGrammar.h"
#include "VisuXMLDumpControler.h"

namespace {

std::size_t gDumps = 2000;
std::size_t gObjects = 137;
std::string gReferenceDirectory;
std::string gOutputDirectory;
// Where this count of dumps keeps its files.
std::string gRunDirectory;
const char* const kTestCaseName = "Dumps";
// The controller numbers its dumps from 1 for the whole process.
unsigned int gNextCounter = 1;
// Dumps per turn of each side.
constexpr std::size_t kBatch = 100;

std::size_t EnvironmentCount(const char* name, std::size_t fallback) {
  const char* value = std::getenv(name);
  const unsigned long count =
      value != nullptr ? std::strtoul(value, nullptr, 10) : 0;
  return count > 0 ? count : fallback;
}

// The reference of dump number index (0-based), as written beforehand.
std::string ContentPath(std::size_t index) {
  return gReferenceDirectory + "/content-" + std::to_string(index) + ".xml";
}

// The name under which the controller looks for the reference of the dump
// it numbers counter.
std::string ReferencePath(unsigned int counter) {
  return gReferenceDirectory + "/" + kTestCaseName + "_Scene_Ref_" +
         std::to_string(counter) + ".xml";
}

std::size_t DumpOf(unsigned int counter) { return (counter - 1) % gDumps; }

// A client dump in replay mode: the stream of one scene, compared by
// FinishXMLDump with its reference.
class ReplayedScene : public VisuXMLDumpControler {
 public:
  explicit ReplayedScene(std::size_t dump) : _Dump(dump) {
    _ForceReplayMode = 1;
  }
  VisuXMLError DumpXML() override {
    SceneGrammar::Declare();
    SceneGrammar::Stream(SceneDocument::Pattern(), _Dump * gObjects, gObjects);
    return FinishXMLDump();
  }
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }

 private:
  std::size_t _Dump;
};

// The references of the next gDumps dumps, under the names the controller
// will look for: links to the contents, made outside the measured time.
bool LinkReferences(unsigned int firstCounter) {
  for (unsigned int c = firstCounter; c < firstCounter + gDumps; ++c) {
    const std::string name = ReferencePath(c);
    ::unlink(name.c_str());
    if (::link(ContentPath(DumpOf(c)).c_str(), name.c_str()) != 0) return false;
  }
  return true;
}

void UnlinkReferences(unsigned int firstCounter) {
  for (unsigned int c = firstCounter; c < firstCounter + gDumps; ++c)
    ::unlink(ReferencePath(c).c_str());
}

// Wall-clock and process CPU seconds spent in what is measured.
struct Spent {
  double wall = 0.0;
  double cpu = 0.0;
};

double CpuSeconds() {
  timespec now;
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * now.tv_nsec;
}

template <typename Work>
bool Timed(Spent& spent, Work work) {
  const auto wallStart = std::chrono::steady_clock::now();
  const double cpuStart = CpuSeconds();
  const bool done = work();
  spent.cpu += CpuSeconds() - cpuStart;
  spent.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                              wallStart)
                    .count();
  return done;
}

// The library: the dumps streamed, read back from disk and compared; false
// when one differed from its reference.
bool ReplayDumps(std::size_t count) {
  std::size_t differing = 0;
  for (std::size_t i = 0; i < count; ++i) {
    ReplayedScene dump(DumpOf(gNextCounter++));
    if (dump.InitializeControler() != 0) ++differing;
  }
  return differing == 0;
}

// Floor: Expat parsing the same references with empty callbacks, and the
// same trees built directly with the host element.
bool FloorOfDumps(std::size_t first, std::size_t count) {
  const auto& pattern = SceneDocument::Pattern();
  for (std::size_t i = first; i < first + count; ++i) {
    if (!ExpatReads(ContentPath(i).c_str())) return false;
    MOKLightXmlElement root;
    SceneDocument::BuildTree(root, gObjects, pattern, i * gObjects);
    benchmark::DoNotOptimize(root);
  }
  return true;
}

// Both in turn, batch by batch, the side that goes first alternating: the
// machine is shared, and a noisy stretch of a second then weighs on both
// sides alike. The iteration's time is the library's; the floor's goes
// into counters.
void BM_Dumps(benchmark::State& state) {
  SceneDocument::Pattern();
  Spent replay, floor;
  for (auto _ : state) {
    const unsigned int firstCounter = gNextCounter;
    if (!LinkReferences(firstCounter)) {
      state.SkipWithError("cannot link the references");
      return;
    }
    replay = floor = Spent();
    bool ok = true;
    for (std::size_t first = 0; ok && first < gDumps; first += kBatch) {
      const std::size_t count = std::min(kBatch, gDumps - first);
      const auto runReplay = [&] {
        return Timed(replay, [&] { return ReplayDumps(count); });
      };
      const auto runFloor = [&] {
        return Timed(floor, [&] { return FloorOfDumps(first, count); });
      };
      ok = (first / kBatch) % 2 == 0 ? runReplay() && runFloor()
                                     : runFloor() && runReplay();
    }
    UnlinkReferences(firstCounter);
    if (!ok) {
      state.SkipWithError("a dump differed or a reference was unreadable");
      return;
    }
    state.SetIterationTime(replay.wall);
  }
  state.counters["Dumps"] = static_cast<double>(gDumps);
  state.counters["ReplaySeconds"] = replay.wall;
  state.counters["ReplayCpuSeconds"] = replay.cpu;
  state.counters["FloorSeconds"] = floor.wall;
  state.counters["FloorCpuSeconds"] = floor.cpu;
}

BENCHMARK(BM_Dumps)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// ---- The compare tool's review of a run of these dumps ----

// A run's two directories as the tool reviews them: each dump's reference
// and output, links to the same content.
std::string ReviewDirectory(const char* side) {
  return gRunDirectory + "/review-" + side;
}

std::string ReviewPath(const char* side, std::size_t number) {
  return ReviewDirectory(side) + "/" + kTestCaseName + "_Scene_" +
         (side[0] == 'r' ? "Ref_" : "Out_") + std::to_string(number) + ".xml";
}

bool LinkReviewedRun() {
  for (const char* side : {"ref", "out"}) {
    ::mkdir(ReviewDirectory(side).c_str(), 0755);
    for (std::size_t i = 0; i < gDumps; ++i) {
      const std::string name = ReviewPath(side, i + 1);
      ::unlink(name.c_str());
      if (::link(ContentPath(i).c_str(), name.c_str()) != 0) return false;
    }
  }
  return true;
}

// The floor's child: Expat alone over every file of the run.
int ExpatReadsReviewedRun() {
  for (std::size_t i = 0; i < gDumps; ++i)
    for (const char* side : {"ref", "out"})
      if (!ExpatReads(ReviewPath(side, i + 1).c_str())) return 1;
  return 0;
}

#ifdef VISUXML_COMPARE_PATH
void MeasureChild(benchmark::State& state,
                  const std::vector<std::string>& command) {
  if (MeasureFreshProcesses(state, command))
    state.counters["Dumps"] = static_cast<double>(gDumps);
}

void RegisterReviewBenchmarks() {
  const std::vector<std::string> tool{
      VISUXML_COMPARE_PATH, ReviewDirectory("ref"), ReviewDirectory("out")};
  const std::vector<std::string> floor{SelfPath(), "--expat-review"};
  for (const auto& [name, command] :
       {std::pair<const char*, std::vector<std::string>>{"BM_ToolReview", tool},
        {"BM_ToolReviewExpatFloor", floor}})
    benchmark::RegisterBenchmark(
        name,
        [command = command](benchmark::State& s) { MeasureChild(s, command); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
}
#else
void RegisterReviewBenchmarks() {}
#endif

// Where this count of dumps keeps its files; returns the directory.
std::string PrepareDirectories() {
  const char* root = std::getenv("VISUXML_BENCH_DIR");
  const std::string directory =
      (root != nullptr && *root != '\0' ? root : "/tmp/visuxml-bench") +
      std::string("/dumps-") + std::to_string(gDumps) + "x" +
      std::to_string(gObjects);
  gRunDirectory = directory;
  gReferenceDirectory = directory + "/reference";
  gOutputDirectory = directory + "/output";
  return directory;
}

// Writes the references unless they are already there.
bool PrepareReferences() {
  const std::string directory = PrepareDirectories();
  for (const std::string& path :
       {directory, gReferenceDirectory, gOutputDirectory})
    ::mkdir(path.c_str(), 0755);
  const auto& pattern = SceneDocument::Pattern();
  for (std::size_t i = 0; i < gDumps; ++i) {
    const std::string path = ContentPath(i);
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && info.st_size > 0) continue;
    const std::string text =
        SceneDocument::PatternDocument(pattern, i * gObjects, gObjects);
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written =
        std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written ||
        std::rename(partial.c_str(), path.c_str()) != 0)
      return false;
  }
  if (!LinkReviewedRun()) return false;
  ::setenv("TRQ_LOG_NAME", kTestCaseName, 1);
  ::setenv("KVB_TRQ_REF", gReferenceDirectory.c_str(), 1);
  ::setenv("KVB_TRQ_OUT", gOutputDirectory.c_str(), 1);
  ::unsetenv("UpdateVisuXMLDump");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  gDumps = EnvironmentCount("VISUXML_BENCH_DUMPS", gDumps);
  gObjects = EnvironmentCount("VISUXML_BENCH_DUMP_OBJECTS", gObjects);
  if (argc == 2 && std::string(argv[1]) == "--expat-review") {
    PrepareDirectories();
    return ExpatReadsReviewedRun();
  }
  benchmark::Initialize(&argc, argv);
  if (!PrepareReferences()) {
    std::fprintf(stderr, "cannot write the reference dumps\n");
    return 1;
  }
  RegisterReviewBenchmarks();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
