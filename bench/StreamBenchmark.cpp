// Writing a dump of 1,000,000 elements: streamed through a declared grammar
// and written by FinishXMLDump, against the floor of building the same tree
// directly with the host element and writing it with the host writer; and
// the host writer alone against a minimal buffered writer that prints the
// same tree with fwrite.
//
// Environment: VISUXML_BENCH_DIR, where the documents are written.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"
#include "MOKUnicodeString.h"
#include "SceneDocument.h"
#include "SceneGrammar.h"
#include "VisuXMLDumpControler.h"

namespace {

// Scene + 333,333 objects of three elements each, unless
// VISUXML_BENCH_STREAM_OBJECTS says otherwise.
std::size_t kObjects = 333333;

std::string gDirectory;

// A client that streams the scene through the grammar and finishes the
// dump, which writes the file.
class SceneControler : public VisuXMLDumpControler {
 public:
  VisuXMLError DumpXML() override {
    SceneGrammar::Declare();
    SceneGrammar::Stream(SceneDocument::Pattern(), 0, kObjects);
    return FinishXMLDump();
  }
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }
  const MOKUnicodeString& FileName() const { return _XMLFileName; }
};

// What FinishXMLDump does with a finished tree outside a replay.
bool WriteWithHostWriter(const MOKLightXmlElement& root,
                         const std::string& path) {
  MOKLightXmlParser parser;
  MOKLightXmlOutputFile file{MOKUnicodeString(path.c_str())};
  MOKLightXmlOutputFormatter formatter(file);
  const bool written = parser.GetXml(root, formatter) != 0;
  std::FILE* append = std::fopen(path.c_str(), "a");
  if (append != nullptr) {
    std::fputc('\n', append);
    std::fclose(append);
  }
  return written;
}

// The floor of writing: the same layout, escaping only the five XML
// specials into one large buffer, written with fwrite when full.
class MinimalWriter {
 public:
  explicit MinimalWriter(std::FILE* file) : _File(file) {
    _Buffer.reserve(kCapacity + 4096);
  }
  void Document(const MOKLightXmlElement& root) {
    _Buffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    Element(root, 0);
    _Buffer += '\n';
    Flush();
  }

 private:
  static constexpr std::size_t kCapacity = 1 << 20;

  void Element(const MOKLightXmlElement& element, std::size_t depth) {
    _Buffer += '\n';
    _Buffer.append(2 * depth, ' ');
    _Buffer += '<';
    _Buffer += element.GetName().GetText();
    for (std::size_t i = 0; i < element.GetAttributeCount(); ++i) {
      _Buffer += ' ';
      _Buffer += element.GetAttributeNameAt(i).GetText();
      _Buffer += "=\"";
      Escaped(element.GetAttributeValueAt(i).GetText());
      _Buffer += '"';
    }
    if (element.GetChildCount() == 0) {
      _Buffer += "/>";
    } else {
      _Buffer += '>';
      for (std::size_t i = 0; i < element.GetChildCount(); ++i)
        Element(*element.GetChildAt(i), depth + 1);
      _Buffer += '\n';
      _Buffer.append(2 * depth, ' ');
      _Buffer += "</";
      _Buffer += element.GetName().GetText();
      _Buffer += '>';
    }
    if (_Buffer.size() >= kCapacity) Flush();
  }
  void Escaped(const std::string& text) {
    for (char c : text) {
      switch (c) {
        case '&':
          _Buffer += "&amp;";
          break;
        case '<':
          _Buffer += "&lt;";
          break;
        case '>':
          _Buffer += "&gt;";
          break;
        case '"':
          _Buffer += "&quot;";
          break;
        default:
          _Buffer += c;
      }
    }
  }
  void Flush() {
    std::fwrite(_Buffer.data(), 1, _Buffer.size(), _File);
    _Buffer.clear();
  }

  std::FILE* _File;
  std::string _Buffer;
};

const MOKLightXmlElement& SceneTree() {
  static const std::unique_ptr<MOKLightXmlElement> tree = [] {
    std::unique_ptr<MOKLightXmlElement> root(new MOKLightXmlElement());
    SceneDocument::BuildTree(*root, kObjects, SceneDocument::Pattern());
    return root;
  }();
  return *tree;
}

double FileSize(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? static_cast<double>(info.st_size)
                                          : 0.0;
}

// The grammar's stream and FinishXMLDump, from the first opening to the
// written file.
void BM_StreamThroughGrammar(benchmark::State& state) {
  SceneDocument::Pattern();
  ::setenv("MOKTemp", gDirectory.c_str(), 1);
  double bytes = 0.0;
  for (auto _ : state) {
    SceneControler controler;
    if (controler.InitializeControler() != 0) {
      state.SkipWithError("the dump failed");
      return;
    }
    state.PauseTiming();
    std::string path = controler.FileName().GetText();
    // The controller joins with backslashes, which the host reads as '/'.
    for (char& c : path)
      if (c == '\\') c = '/';
    bytes = FileSize(path);
    ::unlink(path.c_str());
    state.ResumeTiming();
  }
  state.counters["FileBytes"] = bytes;
  state.SetItemsProcessed(state.iterations() * (3 * kObjects + 1));
}

// Floor: the same tree built directly with the host element and written
// with the host writer.
void BM_StreamDirectTree(benchmark::State& state) {
  const auto& pattern = SceneDocument::Pattern();
  const std::string path = gDirectory + "/direct.xml";
  for (auto _ : state) {
    MOKLightXmlElement root;
    SceneDocument::BuildTree(root, kObjects, pattern);
    if (!WriteWithHostWriter(root, path)) {
      state.SkipWithError("the write failed");
      return;
    }
  }
  state.counters["FileBytes"] = FileSize(path);
  ::unlink(path.c_str());
  state.SetItemsProcessed(state.iterations() * (3 * kObjects + 1));
}

// The host writer alone, on a tree built beforehand.
void BM_WriteHostWriter(benchmark::State& state) {
  const MOKLightXmlElement& tree = SceneTree();
  const std::string path = gDirectory + "/host-writer.xml";
  for (auto _ : state) {
    if (!WriteWithHostWriter(tree, path)) {
      state.SkipWithError("the write failed");
      return;
    }
  }
  state.counters["FileBytes"] = FileSize(path);
  ::unlink(path.c_str());
}

// Floor: the minimal buffered writer on the same tree.
void BM_WriteMinimalFwrite(benchmark::State& state) {
  const MOKLightXmlElement& tree = SceneTree();
  const std::string path = gDirectory + "/minimal-writer.xml";
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
      state.SkipWithError("cannot open the file");
      return;
    }
    MinimalWriter(file).Document(tree);
    std::fclose(file);
  }
  state.counters["FileBytes"] = FileSize(path);
  ::unlink(path.c_str());
}

BENCHMARK(BM_StreamThroughGrammar)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_StreamDirectTree)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WriteHostWriter)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WriteMinimalFwrite)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  const char* directory = std::getenv("VISUXML_BENCH_DIR");
  gDirectory = directory != nullptr && *directory != '\0'
                   ? directory
                   : "/tmp/visuxml-bench";
  ::mkdir(gDirectory.c_str(), 0755);
  const char* objects = std::getenv("VISUXML_BENCH_STREAM_OBJECTS");
  if (objects != nullptr && std::strtoul(objects, nullptr, 10) > 0)
    kObjects = std::strtoul(objects, nullptr, 10);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
