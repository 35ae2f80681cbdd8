// Costs of the markup stream: per element, flat against deeply nested, and
// per open/set/close against the size of the declared grammar.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

namespace {

const auto kAnyNumber = static_cast<VisuXMLMarkupToMarkupLink>(3);
constexpr int kOpeningsPerDump = 100;

// Declares the root R holding any number of E, and E holding any number
// of E, so that the same grammar serves flat and nested documents.
void DeclareRecursiveGrammar() {
  VisuXMLMarkup::CreateXMLMarkup("R", VisuXMLRootMarkup);
  VisuXMLMarkup::CreateXMLMarkup("E", VisuXMLStandardMarkup);
  VisuXMLMarkup::AttachMarkup("R", "E", kAnyNumber);
  VisuXMLMarkup::AttachMarkup("E", "E", kAnyNumber);
}

// Empties the grammar and the stream, as a controller's destruction does.
void ForgetGrammar() {
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLMarkup::ClearMarkupsHistory();
  VisuXMLAttribute::DestroyAttributes();
}

void FinishDump() {
  MOKLightXmlElement* tree = VisuXMLMarkup::GetXMLStreamNode();
  benchmark::DoNotOptimize(tree);
  delete tree;
}

// One dump of R holding n elements side by side.
void BM_StreamFlat(benchmark::State& state) {
  DeclareRecursiveGrammar();
  const MOKUnicodeString root("R");
  const MOKUnicodeString element("E");
  const std::int64_t n = state.range(0);
  for (auto _ : state) {
    VisuXMLMarkup::OpenMarkup(root);
    for (std::int64_t i = 0; i < n; ++i) {
      VisuXMLMarkup::OpenMarkup(element);
      VisuXMLMarkup::CloseMarkup(element);
    }
    VisuXMLMarkup::CloseMarkup(root);
    FinishDump();
  }
  state.SetItemsProcessed(state.iterations() * n);
  ForgetGrammar();
}

// One dump of R holding a chain of n elements, each inside the previous.
void BM_StreamNested(benchmark::State& state) {
  DeclareRecursiveGrammar();
  const MOKUnicodeString root("R");
  const MOKUnicodeString element("E");
  const std::int64_t n = state.range(0);
  for (auto _ : state) {
    VisuXMLMarkup::OpenMarkup(root);
    for (std::int64_t i = 0; i < n; ++i) VisuXMLMarkup::OpenMarkup(element);
    for (std::int64_t i = 0; i < n; ++i) VisuXMLMarkup::CloseMarkup(element);
    VisuXMLMarkup::CloseMarkup(root);
    FinishDump();
  }
  state.SetItemsProcessed(state.iterations() * n);
  ForgetGrammar();
}

// The nested dump in a stream that starts with no stack each time, as the
// first dump after a controller's destruction does: the stack then grows
// ten slots at a time along the chain.
void BM_StreamNestedColdStack(benchmark::State& state) {
  DeclareRecursiveGrammar();
  const MOKUnicodeString root("R");
  const MOKUnicodeString element("E");
  const std::int64_t n = state.range(0);
  for (auto _ : state) {
    VisuXMLMarkup::ClearMarkupsHistory();
    VisuXMLMarkup::OpenMarkup(root);
    for (std::int64_t i = 0; i < n; ++i) VisuXMLMarkup::OpenMarkup(element);
    for (std::int64_t i = 0; i < n; ++i) VisuXMLMarkup::CloseMarkup(element);
    VisuXMLMarkup::CloseMarkup(root);
    FinishDump();
  }
  state.SetItemsProcessed(state.iterations() * n);
  ForgetGrammar();
}

// The markup and attribute streamed are declared first, so that every
// other declaration lies before them in the registry lists.
void DeclareGrammarOfSize(std::int64_t size) {
  VisuXMLAttribute::CreateXMLAttribute("Value", VisuXMLTextAttribute);
  VisuXMLMarkup::CreateXMLMarkup("Target", VisuXMLStandardMarkup);
  VisuXMLMarkup::CreateXMLMarkup("R", VisuXMLRootMarkup);
  for (std::int64_t i = 0; i < size; ++i) {
    const std::string suffix = std::to_string(i);
    VisuXMLMarkup::CreateXMLMarkup(("Filler" + suffix).c_str(),
                                   VisuXMLStandardMarkup);
    VisuXMLAttribute::CreateXMLAttribute(("filler" + suffix).c_str(),
                                         VisuXMLTextAttribute);
  }
  VisuXMLMarkup::AttachMarkup("R", "Target", kAnyNumber);
  VisuXMLMarkup::AttachAttribute("Target", "Value", VisuXMLRequiredAttribute);
}

// Open, set a value, close, with that many markups and attributes declared.
void BM_OpenSetClose(benchmark::State& state) {
  DeclareGrammarOfSize(state.range(0));
  const MOKUnicodeString root("R");
  const MOKUnicodeString target("Target");
  const MOKUnicodeString attribute("Value");
  const MOKUnicodeString value("1.5");
  for (auto _ : state) {
    VisuXMLMarkup::OpenMarkup(root);
    for (int i = 0; i < kOpeningsPerDump; ++i) {
      VisuXMLMarkup::OpenMarkup(target);
      VisuXMLMarkup::SetAttributeValue(attribute, value);
      VisuXMLMarkup::CloseMarkup(target);
    }
    VisuXMLMarkup::CloseMarkup(root);
    FinishDump();
  }
  state.SetItemsProcessed(state.iterations() * kOpeningsPerDump);
  ForgetGrammar();
}

BENCHMARK(BM_StreamFlat)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StreamNested)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StreamNestedColdStack)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenSetClose)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
