// Costs of the tree comparison: per element for flat, deeply nested and
// attribute-carrying documents. Each reports its complexity in n.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"

namespace {

// A root holding n leaves, each with three attributes, one of them real.
MOKLightXmlElement FlatTree(std::size_t n, const char* realValue) {
  MOKLightXmlElement root{MOKUnicodeString("R")};
  for (std::size_t i = 0; i < n; ++i) {
    MOKLightXmlElement* leaf = root.AppendNewChild();
    leaf->SetName("E");
    leaf->SetAttributeValue("id", MOKUnicodeString(std::to_string(i)));
    leaf->SetAttributeValue("color", "red");
    leaf->SetAttributeValue("size", realValue);
  }
  return root;
}

// One element carrying n attributes a0, a1, ..., forward or reversed.
MOKLightXmlElement WideElement(std::size_t n, bool reversed) {
  MOKLightXmlElement element{MOKUnicodeString("E")};
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t number = reversed ? n - 1 - i : i;
    element.AppendAttribute(MOKUnicodeString("a" + std::to_string(number)),
                            "1");
  }
  return element;
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

void CompareOnce(VisuXMLFile& reference, VisuXMLFile& output) {
  MOKLightXmlElement result;
  benchmark::DoNotOptimize(reference.Compare(&output, result));
}

// Equal flat documents: every real value agrees as text.
void BM_CompareFlatEqual(benchmark::State& state) {
  auto n = static_cast<std::size_t>(state.range(0));
  VisuXMLFile reference(FlatTree(n, "1.5"));
  VisuXMLFile output(FlatTree(n, "1.5"));
  for (auto _ : state) CompareOnce(reference, output);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CompareFlatEqual)
    ->RangeMultiplier(8)
    ->Range(1 << 9, 1 << 18)
    ->Complexity();

// Flat documents whose real values differ as text and agree as numbers.
void BM_CompareFlatWithinTolerance(benchmark::State& state) {
  VisuXMLAttribute::CreateXMLAttribute("size", VisuXMLRealAttribute);
  auto n = static_cast<std::size_t>(state.range(0));
  VisuXMLFile reference(FlatTree(n, "1.5"));
  VisuXMLFile output(FlatTree(n, "1.50"));
  for (auto _ : state) CompareOnce(reference, output);
  state.SetComplexityN(state.range(0));
  VisuXMLAttribute::DestroyAttributes();
}
BENCHMARK(BM_CompareFlatWithinTolerance)
    ->RangeMultiplier(8)
    ->Range(1 << 9, 1 << 18)
    ->Complexity();

// One element whose n attributes come in reverse order in the output:
// every one is paired by name.
void BM_CompareReorderedAttributes(benchmark::State& state) {
  auto n = static_cast<std::size_t>(state.range(0));
  VisuXMLFile reference(WideElement(n, false));
  VisuXMLFile output(WideElement(n, true));
  for (auto _ : state) CompareOnce(reference, output);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CompareReorderedAttributes)
    ->RangeMultiplier(4)
    ->Range(4, 1 << 16)
    ->Complexity();

// Equal chains nested n deep.
void BM_CompareDeepChain(benchmark::State& state) {
  auto n = static_cast<std::size_t>(state.range(0));
  VisuXMLFile reference(DeepChain(n));
  VisuXMLFile output(DeepChain(n));
  for (auto _ : state) CompareOnce(reference, output);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CompareDeepChain)
    ->RangeMultiplier(8)
    ->Range(1 << 9, 1 << 18)
    ->Complexity();

// A search that visits every element of a chain nested n deep.
void BM_SearchDeepChain(benchmark::State& state) {
  auto n = static_cast<std::size_t>(state.range(0));
  VisuXMLFile file(DeepChain(n));
  for (auto _ : state) benchmark::DoNotOptimize(file.SearchForMarkup("absent"));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SearchDeepChain)
    ->RangeMultiplier(8)
    ->Range(1 << 9, 1 << 18)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
