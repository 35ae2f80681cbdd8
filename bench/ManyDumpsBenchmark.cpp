// A replay suite's usual load: many small dumps in one process. Each dump
// is streamed through its declared grammar by a controller in replay mode,
// which reads the dump's reference from disk and compares; every dump
// equals its reference. The floor is what no replay can avoid: Expat
// parsing the same references, plus building the same trees directly with
// the host element.
//
// Environment: VISUXML_BENCH_DIR (where the references are written, once),
// VISUXML_BENCH_DUMPS (2000 by default), VISUXML_BENCH_DUMP_OBJECTS
// (objects per dump, 137 by default: about 50 KB of XML).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ExpatFloor.h"
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
const char* const kTestCaseName = "Dumps";
// The controller numbers its dumps from 1 for the whole process.
unsigned int gNextCounter = 1;

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
    SceneGrammar::Stream(SceneDocument::Pattern(), _Dump * gObjects,
                         gObjects);
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
    if (::link(ContentPath(DumpOf(c)).c_str(), name.c_str()) != 0)
      return false;
  }
  return true;
}

void UnlinkReferences(unsigned int firstCounter) {
  for (unsigned int c = firstCounter; c < firstCounter + gDumps; ++c)
    ::unlink(ReferencePath(c).c_str());
}

// The library: every dump streamed, read back from disk and compared.
void BM_DumpsReplay(benchmark::State& state) {
  SceneDocument::Pattern();
  for (auto _ : state) {
    state.PauseTiming();
    const unsigned int first = gNextCounter;
    if (!LinkReferences(first)) {
      state.SkipWithError("cannot link the references");
      return;
    }
    state.ResumeTiming();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < gDumps; ++i) {
      ReplayedScene dump(DumpOf(gNextCounter++));
      if (dump.InitializeControler() != 0) ++differing;
    }
    state.PauseTiming();
    UnlinkReferences(first);
    state.ResumeTiming();
    if (differing != 0) {
      state.SkipWithError("a dump differed from its reference");
      return;
    }
  }
  state.counters["Dumps"] = static_cast<double>(gDumps);
}


// Floor: Expat parsing every reference with empty callbacks, and the same
// trees built directly with the host element.
void BM_DumpsFloor(benchmark::State& state) {
  const auto& pattern = SceneDocument::Pattern();
  for (auto _ : state) {
    for (std::size_t i = 0; i < gDumps; ++i) {
      if (!ExpatReads(ContentPath(i).c_str())) {
        state.SkipWithError("a reference could not be parsed");
        return;
      }
      MOKLightXmlElement root;
      SceneDocument::BuildTree(root, gObjects, pattern, i * gObjects);
      benchmark::DoNotOptimize(root);
    }
  }
  state.counters["Dumps"] = static_cast<double>(gDumps);
}

// The compare tool's directory mode over the same pairs goes here, against
// Expat parsing the 2 x gDumps files, once the tool has that mode.

BENCHMARK(BM_DumpsReplay)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DumpsFloor)->Unit(benchmark::kMillisecond)->Iterations(1);

// Writes the references unless they are already there.
bool PrepareReferences() {
  const char* root = std::getenv("VISUXML_BENCH_DIR");
  const std::string directory =
      (root != nullptr && *root != '\0' ? root : "/tmp/visuxml-bench") +
      std::string("/dumps-") + std::to_string(gDumps) + "x" +
      std::to_string(gObjects);
  gReferenceDirectory = directory + "/reference";
  gOutputDirectory = directory + "/output";
  for (const std::string& path : {directory, gReferenceDirectory,
                                  gOutputDirectory})
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
  benchmark::Initialize(&argc, argv);
  if (!PrepareReferences()) {
    std::fprintf(stderr, "cannot write the reference dumps\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
