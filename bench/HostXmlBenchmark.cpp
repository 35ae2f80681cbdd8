// Costs of the host light XML layer: writing and reading documents per
// element, flat and deeply nested, and deep copies. Each reports its
// complexity in n, so that linear behaviour is checked, not assumed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlInputStream.h"
#include "MOKLightXmlOutputStream.h"
#include "MOKLightXmlParser.h"
#include "MOKUnicodeString.h"

namespace {

class StringSink : public MOKLightXmlOutputStream {
 public:
  int IsValid() const override { return 1; }
  int Write(const char* data, std::size_t size) override {
    text.append(data, size);
    return 1;
  }
  int Commit() override { return 1; }
  std::string text;
};

// Counts bytes only, so that the writer's cost is not hidden behind the
// growth of one huge string.
class CountingSink : public MOKLightXmlOutputStream {
 public:
  int IsValid() const override { return 1; }
  int Write(const char*, std::size_t size) override {
    bytes += size;
    return 1;
  }
  int Commit() override { return 1; }
  std::size_t bytes = 0;
};

class StringSource : public MOKLightXmlInputStream {
 public:
  explicit StringSource(const std::string& text) : _Text(text) {}
  int IsValid() const override { return 1; }
  long Read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, _Text.size() - _At);
    _Text.copy(buffer, count, _At);
    _At += count;
    return static_cast<long>(count);
  }

 private:
  const std::string& _Text;
  std::size_t _At = 0;
};

// A root holding n leaves with two attributes and a text each.
MOKLightXmlElement FlatTree(std::size_t n) {
  MOKLightXmlElement root{MOKUnicodeString("R")};
  for (std::size_t i = 0; i < n; ++i) {
    MOKLightXmlElement* leaf = root.AppendNewChild();
    leaf->SetName("E");
    leaf->SetAttributeValue("id", MOKUnicodeString(std::to_string(i)));
    leaf->SetAttributeValue("label", "a & b <c>");
    leaf->SetValue("some text\twith\nlayout");
  }
  return root;
}

// n elements, each the single child of the one above.
MOKLightXmlElement DeepChain(std::size_t n) {
  MOKLightXmlElement root{MOKUnicodeString("E")};
  MOKLightXmlElement* current = &root;
  for (std::size_t i = 1; i < n; ++i) {
    current = current->AppendNewChild();
    current->SetName("E");
  }
  return root;
}

std::string Written(const MOKLightXmlElement& root) {
  StringSink sink;
  MOKLightXmlParser parser;
  parser.GetXml(root, sink);
  return sink.text;
}

void Write(benchmark::State& state, const MOKLightXmlElement& root) {
  for (auto _ : state) {
    CountingSink sink;
    MOKLightXmlParser parser;
    benchmark::DoNotOptimize(parser.GetXml(root, sink));
  }
  state.SetComplexityN(state.range(0));
}

void Read(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    StringSource source(text);
    MOKLightXmlElement root;
    MOKLightXmlParser parser;
    benchmark::DoNotOptimize(parser.Parse(source, root));
  }
  state.SetComplexityN(state.range(0));
}

void BM_WriteFlat(benchmark::State& state) {
  Write(state, FlatTree(static_cast<std::size_t>(state.range(0))));
}

void BM_WriteDeep(benchmark::State& state) {
  Write(state, DeepChain(static_cast<std::size_t>(state.range(0))));
}

void BM_ReadFlat(benchmark::State& state) {
  Read(state, Written(FlatTree(static_cast<std::size_t>(state.range(0)))));
}

void BM_ReadDeep(benchmark::State& state) {
  Read(state, Written(DeepChain(static_cast<std::size_t>(state.range(0)))));
}

// One attribute value of n bytes: a single token spanning many reads.
void BM_ReadHugeAttribute(benchmark::State& state) {
  const std::string text =
      "<R v=\"" + std::string(static_cast<std::size_t>(state.range(0)), 'v') +
      "\"/>";
  Read(state, text);
}

void BM_CopyDeep(benchmark::State& state) {
  const MOKLightXmlElement chain =
      DeepChain(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    MOKLightXmlElement copy(chain);
    benchmark::DoNotOptimize(copy.GetChildCount());
  }
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_WriteFlat)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 19)
    ->Complexity();
BENCHMARK(BM_WriteDeep)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 19)
    ->Complexity();
BENCHMARK(BM_ReadFlat)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 19)
    ->Complexity();
BENCHMARK(BM_ReadDeep)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 19)
    ->Complexity();
BENCHMARK(BM_ReadHugeAttribute)
    ->RangeMultiplier(8)
    ->Range(1 << 16, 1 << 27)
    ->Complexity();
BENCHMARK(BM_CopyDeep)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 19)
    ->Complexity();

BENCHMARK_MAIN();
