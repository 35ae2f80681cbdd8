// Lookups by name must not grow with the grammar: the oldest declaration,
// the far end of the registry list, is found as fast among 1,000 or
// 100,000 declarations as among 10.
#include <benchmark/benchmark.h>

#include <string>

#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

namespace {

MOKUnicodeString NameAt(const char* prefix, long index) {
  return MOKUnicodeString(prefix + std::to_string(index));
}

void DeclareAttributes(long count) {
  for (long i = 0; i < count; ++i) {
    VisuXMLAttribute::CreateXMLAttribute(NameAt("attribute", i),
                                         VisuXMLRealAttribute);
  }
}

void DeclareMarkups(long count) {
  for (long i = 0; i < count; ++i) {
    VisuXMLMarkup::CreateXMLMarkup(NameAt("markup", i), VisuXMLStandardMarkup);
  }
}

// The type query of the comparison, for the oldest attribute.
void BM_AttributeTypeOfOldest(benchmark::State& state) {
  DeclareAttributes(state.range(0));
  const MOKUnicodeString oldest = NameAt("attribute", 0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(VisuXMLAttribute::GetXMLAttributeType(oldest));
  }
  VisuXMLAttribute::DestroyAttributes();
}
BENCHMARK(BM_AttributeTypeOfOldest)->Arg(10)->Arg(1000)->Arg(100000);

// Both registries at once: the oldest attribute, already attached to the
// oldest markup, is refused after one lookup in each.
void BM_AttachAttributeAgain(benchmark::State& state) {
  DeclareMarkups(state.range(0));
  DeclareAttributes(state.range(0));
  const MOKUnicodeString markup = NameAt("markup", 0);
  const MOKUnicodeString attribute = NameAt("attribute", 0);
  VisuXMLMarkup::AttachAttribute(markup, attribute, VisuXMLRequiredAttribute);
  for (auto _ : state) {
    benchmark::DoNotOptimize(VisuXMLMarkup::AttachAttribute(
        markup, attribute, VisuXMLRequiredAttribute));
  }
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLAttribute::DestroyAttributes();
}
BENCHMARK(BM_AttachAttributeAgain)->Arg(10)->Arg(1000)->Arg(100000);

// A whole attachment: two markup lookups, refused as already attached.
void BM_AttachMarkupAgain(benchmark::State& state) {
  DeclareMarkups(state.range(0));
  const MOKUnicodeString parent = NameAt("markup", 0);
  const MOKUnicodeString child = NameAt("markup", 1);
  VisuXMLMarkup::AttachMarkup(parent, child, VisuXMLOnlyOnce);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        VisuXMLMarkup::AttachMarkup(parent, child, VisuXMLOnlyOnce));
  }
  VisuXMLMarkup::DestroyMarkups();
}
BENCHMARK(BM_AttachMarkupAgain)->Arg(10)->Arg(1000)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
