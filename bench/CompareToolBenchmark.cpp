// visuxml-compare on the documents of the replay benchmark, each run a
// fresh process as the tool is, against the Expat floor reading the same
// two files in a fresh process. The objects are laid out two ways: flat
// (every object a child of the root) and in groups of 500. Each layout is
// compared with an identical copy and with a copy where a few objects
// differ (a name and a coordinate), with and without --real-all-numeric.
// The width pair compares flat documents with a tenth of the objects and
// with all of them, the same few objects changed in both; the Expat floor
// reads the smaller pair too, as a reference.
//
// Every run reports its wall time, its processor time (counter ChildCPU,
// seconds) and its peak resident memory (PeakRSS, bytes) beside the two
// files' total size (FilesBytes).
//
// Environment: VISUXML_BENCH_DIR (where the documents are generated, once),
// VISUXML_BENCH_OBJECTS (objects per document, 280000 by default).
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ExpatFloor.h"
#include "FreshProcess.h"
#include "SceneDocument.h"

namespace {

// Objects per group in the grouped layout.
constexpr std::size_t kGroupSize = 500;
// Objects changed in a differing copy, whatever the document's size.
constexpr std::size_t kChangedObjects = 5;

std::string EnvironmentOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

// ---- The documents ----

bool IsChanged(std::size_t index, std::size_t objects) {
  const std::size_t spacing = objects / kChangedObjects;
  return spacing > 0 && index % spacing == spacing / 2;
}

// A changed object: another name, and X moved by 0.5.
SceneDocument::ObjectValues ChangedValues(std::size_t index) {
  SceneDocument::ObjectValues values = SceneDocument::ValuesOf(index);
  values.object[0] = MOKUnicodeString("Renamed" + std::to_string(index));
  char moved[64];
  std::snprintf(moved, sizeof moved, "%.2f",
                std::atof(values.object[2].GetText().c_str()) + 0.5);
  values.object[2] = MOKUnicodeString(moved);
  return values;
}

void AppendAttributes(std::string& out, const char* const* names,
                      const std::vector<MOKUnicodeString>& values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    out += ' ' + std::string(names[i]) + "=\"" + values[i].GetText() + '"';
}

// Laid out as the host writer lays it out, indent giving the depth.
void AppendObject(std::string& out, const SceneDocument::ObjectValues& values,
                  const std::string& indent) {
  out += "\n" + indent + "<Object";
  AppendAttributes(out, SceneDocument::kObjectAttributes, values.object);
  out += ">\n" + indent + "  <Material";
  AppendAttributes(out, SceneDocument::kMaterialAttributes, values.material);
  out += "/>\n" + indent + "  <Transform";
  AppendAttributes(out, SceneDocument::kTransformAttributes, values.transform);
  out += "/>\n" + indent + "</Object>";
}

// The scene with its objects flat (groupSize 0) or in groups, a few of
// them changed if asked.
bool WriteScene(const std::string& path, std::size_t objects,
                std::size_t groupSize, bool changed) {
  const std::string indent = groupSize == 0 ? "  " : "    ";
  return SceneDocument::WriteScene(
      path, objects, [&](std::string& out, std::size_t i) {
        if (groupSize != 0 && i % groupSize == 0) out += "\n  <Group>";
        AppendObject(out,
                     changed && IsChanged(i, objects)
                         ? ChangedValues(i)
                         : SceneDocument::ValuesOf(i),
                     indent);
        if (groupSize != 0 &&
            (i % groupSize == groupSize - 1 || i + 1 == objects))
          out += "\n  </Group>";
      });
}

// The documents of one layout: a reference, an identical output, an
// output with a few objects changed.
struct LayoutFiles {
  std::string reference;
  std::string same;
  std::string changed;
};

// Written through a partial file, so that an interrupted run leaves none
// that looks finished; kept for the next run.
bool Prepare(const std::string& path, std::size_t objects,
             std::size_t groupSize, bool changed) {
  if (FileBytes(path) > 0.0) return true;
  const std::string partial = path + ".partial";
  return WriteScene(partial, objects, groupSize, changed) &&
         std::rename(partial.c_str(), path.c_str()) == 0;
}

// The flat reference and identical output are those of the replay
// benchmark, under the same names.
bool PrepareLayout(const std::string& directory, std::size_t objects,
                   std::size_t groupSize, LayoutFiles& files) {
  const std::string stem = directory + "/scene-" + std::to_string(objects) +
                           (groupSize == 0 ? "" : "-grouped");
  files = LayoutFiles{stem + "-reference.xml", stem + "-output.xml",
                      stem + "-output-changed.xml"};
  return Prepare(files.reference, objects, groupSize, false) &&
         Prepare(files.same, objects, groupSize, false) &&
         Prepare(files.changed, objects, groupSize, true);
}

// ---- The benchmarks ----

void Measure(benchmark::State& state, const std::vector<std::string>& command,
             int expectedStatus, double filesBytes) {
  if (MeasureFreshProcesses(state, command, expectedStatus))
    state.counters["FilesBytes"] = filesBytes;
}

void Register(const std::string& name, std::vector<std::string> command,
              int expectedStatus, double filesBytes) {
  benchmark::RegisterBenchmark(
      name.c_str(),
      [command, expectedStatus, filesBytes](benchmark::State& state) {
        Measure(state, command, expectedStatus, filesBytes);
      })
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
}

// The floor and the four comparisons of one layout.
void RegisterLayout(const std::string& layout, const LayoutFiles& files) {
  const double bytes = FileBytes(files.reference) + FileBytes(files.same);
  Register("BM_Tool" + layout + "ExpatFloor",
           {SelfPath(), "--expat", files.reference, files.same}, 0, bytes);
  for (const bool numeric : {false, true}) {
    std::vector<std::string> tool{VISUXML_COMPARE_PATH};
    if (numeric) tool.push_back("--real-all-numeric");
    const std::string suffix = numeric ? "Numeric" : "";
    std::vector<std::string> same = tool, changed = tool;
    same.insert(same.end(), {files.reference, files.same});
    changed.insert(changed.end(), {files.reference, files.changed});
    Register("BM_Tool" + layout + "Same" + suffix, same, 0, bytes);
    Register("BM_Tool" + layout + "Changed" + suffix, changed, 1,
             FileBytes(files.reference) + FileBytes(files.changed));
  }
}

bool RegisterAll() {
  const std::string directory =
      EnvironmentOr("VISUXML_BENCH_DIR", "/tmp/visuxml-bench");
  const std::size_t objects = static_cast<std::size_t>(std::strtoul(
      EnvironmentOr("VISUXML_BENCH_OBJECTS", "280000").c_str(), nullptr, 10));
  ::mkdir(directory.c_str(), 0755);
  LayoutFiles flat, grouped, narrow;
  if (!PrepareLayout(directory, objects, 0, flat) ||
      !PrepareLayout(directory, objects, kGroupSize, grouped) ||
      !PrepareLayout(directory, objects / 10, 0, narrow))
    return false;
  RegisterLayout("Flat", flat);
  RegisterLayout("Grouped", grouped);
  // The wide side of the width pair is BM_ToolFlatChanged; the floor's own
  // pair shows what the larger memory alone costs.
  const double narrowBytes =
      FileBytes(narrow.reference) + FileBytes(narrow.changed);
  Register("BM_ToolWidthTenthChanged",
           {VISUXML_COMPARE_PATH, narrow.reference, narrow.changed}, 1,
           narrowBytes);
  Register("BM_ToolWidthTenthExpatFloor",
           {SelfPath(), "--expat", narrow.reference, narrow.changed}, 0,
           narrowBytes);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--expat") == 0)
    return ExpatReads(argv[2]) && ExpatReads(argv[3]) ? 0 : 1;
  benchmark::Initialize(&argc, argv);
  if (!RegisterAll()) {
    std::fprintf(stderr, "cannot write the benchmark documents\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
