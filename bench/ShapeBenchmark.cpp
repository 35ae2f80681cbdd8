// How the cost per element depends on the document's shape and on the
// grammar's size: a chain nested 10,000 deep against a flat tree of the same
// size, for the stream and for the comparison; open/set/close with 1,000
// declared markups and attributes against 10. Each pair is read as a ratio.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLFile.h"
#include "VisuXMLMarkup.h"

namespace {

constexpr std::int64_t kShapeSize = 10000;
const auto kAnyNumber = static_cast<VisuXMLMarkupToMarkupLink>(3);

void ForgetGrammar() {
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLMarkup::ClearMarkupsHistory();
  VisuXMLAttribute::DestroyAttributes();
}

// R holds any number of E, E any number of E, each E carries a value.
void DeclareRecursiveGrammar() {
  VisuXMLAttribute::CreateXMLAttribute("V", VisuXMLRealAttribute);
  VisuXMLMarkup::CreateXMLMarkup("R", VisuXMLRootMarkup);
  VisuXMLMarkup::CreateXMLMarkup("E", VisuXMLStandardMarkup);
  VisuXMLMarkup::AttachMarkup("R", "E", kAnyNumber);
  VisuXMLMarkup::AttachMarkup("E", "E", kAnyNumber);
  VisuXMLMarkup::AttachAttribute("E", "V", VisuXMLRequiredAttribute);
}

void DiscardStreamTree() {
  MOKLightXmlElement* tree = VisuXMLMarkup::GetXMLStreamNode();
  benchmark::DoNotOptimize(tree);
  delete tree;
}

void StreamShape(benchmark::State& state, bool nested) {
  DeclareRecursiveGrammar();
  const MOKUnicodeString root("R"), element("E"), name("V"), value("1.25");
  for (auto _ : state) {
    VisuXMLMarkup::OpenMarkup(root);
    for (std::int64_t i = 0; i < kShapeSize; ++i) {
      VisuXMLMarkup::OpenMarkup(element);
      VisuXMLMarkup::SetAttributeValue(name, value);
      if (!nested) VisuXMLMarkup::CloseMarkup(element);
    }
    if (nested)
      for (std::int64_t i = 0; i < kShapeSize; ++i)
        VisuXMLMarkup::CloseMarkup(element);
    VisuXMLMarkup::CloseMarkup(root);
    DiscardStreamTree();
  }
  state.SetItemsProcessed(state.iterations() * kShapeSize);
  ForgetGrammar();
}

// 10,000 elements side by side below the root.
void BM_StreamFlat(benchmark::State& state) { StreamShape(state, false); }
// 10,000 elements, each inside the one before.
void BM_StreamDeep(benchmark::State& state) { StreamShape(state, true); }

MOKLightXmlElement ShapeTree(bool nested) {
  MOKLightXmlElement root{MOKUnicodeString("R")};
  MOKLightXmlElement* parent = &root;
  for (std::int64_t i = 0; i < kShapeSize; ++i) {
    MOKLightXmlElement* element = parent->AppendNewChild();
    element->SetName("E");
    element->SetAttributeValue("V", "1.25");
    if (nested) parent = element;
  }
  return root;
}

void CompareShape(benchmark::State& state, bool nested) {
  VisuXMLAttribute::CreateXMLAttribute("V", VisuXMLRealAttribute);
  const MOKLightXmlElement tree = ShapeTree(nested);
  VisuXMLFile reference(tree);
  VisuXMLFile output(tree);
  for (auto _ : state) {
    MOKLightXmlElement result;
    benchmark::DoNotOptimize(reference.Compare(&output, result));
  }
  state.SetItemsProcessed(state.iterations() * kShapeSize);
  VisuXMLAttribute::DestroyAttributes();
}

void BM_CompareFlat(benchmark::State& state) { CompareShape(state, false); }
void BM_CompareDeep(benchmark::State& state) { CompareShape(state, true); }

// The streamed markup Target and its attribute Value are declared first, so
// that every other declaration lies before them in the registry lists; the
// size other markups M<i> each carry their own attribute A<i>.
void DeclareGrammarOfSize(std::int64_t size) {
  VisuXMLAttribute::CreateXMLAttribute("Value", VisuXMLTextAttribute);
  VisuXMLMarkup::CreateXMLMarkup("Target", VisuXMLStandardMarkup);
  VisuXMLMarkup::CreateXMLMarkup("R", VisuXMLRootMarkup);
  for (std::int64_t i = 0; i < size; ++i) {
    const std::string markup = "M" + std::to_string(i);
    const std::string attribute = "A" + std::to_string(i);
    VisuXMLMarkup::CreateXMLMarkup(markup.c_str(), VisuXMLStandardMarkup);
    VisuXMLAttribute::CreateXMLAttribute(attribute.c_str(),
                                         VisuXMLTextAttribute);
    VisuXMLMarkup::AttachAttribute(markup.c_str(), attribute.c_str(),
                                   VisuXMLRequiredAttribute);
  }
  VisuXMLMarkup::AttachMarkup("R", "Target", kAnyNumber);
  VisuXMLMarkup::AttachAttribute("Target", "Value", VisuXMLRequiredAttribute);
}

// Open, set, close, 10,000 times per dump, with size other markups and
// attributes declared.
void BM_GrammarOpenSetClose(benchmark::State& state) {
  DeclareGrammarOfSize(state.range(0));
  const MOKUnicodeString root("R"), target("Target"), attribute("Value"),
      value("text");
  for (auto _ : state) {
    VisuXMLMarkup::OpenMarkup(root);
    for (std::int64_t i = 0; i < kShapeSize; ++i) {
      VisuXMLMarkup::OpenMarkup(target);
      VisuXMLMarkup::SetAttributeValue(attribute, value);
      VisuXMLMarkup::CloseMarkup(target);
    }
    VisuXMLMarkup::CloseMarkup(root);
    DiscardStreamTree();
  }
  state.SetItemsProcessed(state.iterations() * kShapeSize);
  ForgetGrammar();
}

BENCHMARK(BM_StreamFlat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StreamDeep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompareFlat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompareDeep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrammarOpenSetClose)
    ->Arg(10)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
