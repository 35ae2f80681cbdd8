// The replay comparison of two large identical dumps, each run in a fresh
// process as a replay is: the library (two VisuXMLFile read from the files,
// then Compare) against its floor, Expat parsing the same two files with
// empty callbacks, and against xmllint as a well-known reference point.
// Every iteration spawns one child and reports its wall time and its peak
// resident memory (counter PeakRSS, bytes) beside the files' total size.
//
// Environment: VISUXML_BENCH_DIR (where the documents are generated, once),
// VISUXML_BENCH_OBJECTS (objects per document, 280000 by default, about
// 100 MB per file).
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ExpatFloor.h"
#include "FreshProcess.h"
#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "SceneDocument.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"

namespace {

std::string gReferencePath;
std::string gOutputPath;
double gFilesBytes = 0.0;

std::string EnvironmentOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

// ---- Child side: one measured task, then exit ----

// The work of a replay: both documents read, then compared. The real
// attributes are declared, as the dumping client would have done.
bool LibraryCompares(const char* referencePath, const char* outputPath) {
  for (const char* name : SceneDocument::kTransformAttributes)
    VisuXMLAttribute::CreateXMLAttribute(name, VisuXMLRealAttribute);
  VisuXMLFile reference{MOKUnicodeString(referencePath)};
  VisuXMLFile output{MOKUnicodeString(outputPath)};
  if (reference.IsFileValid() != 1 || output.IsFileValid() != 1) return false;
  MOKLightXmlElement result;
  const bool same = reference.Compare(&output, result) == 1;
  VisuXMLAttribute::DestroyAttributes();
  return same;
}

int RunChild(const std::string& task, const char* first, const char* second) {
  if (task == "expat") return ExpatReads(first) && ExpatReads(second) ? 0 : 1;
  if (task == "library") return LibraryCompares(first, second) ? 0 : 1;
  return 2;
}

// ---- Parent side ----

void Measure(benchmark::State& state, std::vector<std::string> command) {
  if (!MeasureFreshProcesses(state, command)) return;
  state.counters["FilesBytes"] = gFilesBytes;
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * gFilesBytes));
}

// Floor: Expat alone, empty callbacks, both files, fresh process.
void BM_ReplayExpatFloor(benchmark::State& state) {
  Measure(state, {SelfPath(), "--child", "expat", gReferencePath, gOutputPath});
}

// The library: two VisuXMLFile from the files and Compare, fresh process.
void BM_ReplayLibrary(benchmark::State& state) {
  Measure(state,
          {SelfPath(), "--child", "library", gReferencePath, gOutputPath});
}

// Reference point: xmllint parsing both files into its own trees.
void BM_ReplayXmllint(benchmark::State& state) {
  Measure(state, {"xmllint", "--noout", gReferencePath, gOutputPath});
}

BENCHMARK(BM_ReplayExpatFloor)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayLibrary)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayXmllint)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Generates the two identical documents unless they are already there.
bool PrepareDocuments() {
  const std::string directory =
      EnvironmentOr("VISUXML_BENCH_DIR", "/tmp/visuxml-bench");
  const std::size_t objects = static_cast<std::size_t>(std::strtoul(
      EnvironmentOr("VISUXML_BENCH_OBJECTS", "280000").c_str(), nullptr, 10));
  ::mkdir(directory.c_str(), 0755);
  const std::string stem = directory + "/scene-" + std::to_string(objects);
  gReferencePath = stem + "-reference.xml";
  gOutputPath = stem + "-output.xml";
  for (const std::string& path : {gReferencePath, gOutputPath}) {
    if (FileBytes(path) > 0.0) continue;
    const std::string partial = path + ".partial";
    if (!SceneDocument::WriteFile(partial, objects) ||
        std::rename(partial.c_str(), path.c_str()) != 0)
      return false;
  }
  gFilesBytes = FileBytes(gReferencePath) + FileBytes(gOutputPath);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--child") == 0)
    return RunChild(argv[2], argv[3], argv[4]);
  benchmark::Initialize(&argc, argv);
  if (!PrepareDocuments()) {
    std::fprintf(stderr, "cannot write the benchmark documents\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
