// Arbitrary bytes decoded into grammar declarations and stream calls, with
// names from a small pool so that calls meet declared names. Every finished
// tree must write as well-formed XML that reads back as the same tree, and
// tearing everything down must free everything (the leak checker watches).
// An input may also make one of the library's nothrow allocations fail, so
// that arbitrary call sequences meet running out of memory as well.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLMarkup.h"

namespace {

const char* const kMarkups[] = {"Scene",  "Camera", "Light",
                                "Object", "Group",  "VisuXMLError"};
const char* const kAttributes[] = {"Name", "Visible", "Size", "Color", "x"};
constexpr int kNbMarkups = 6;
constexpr int kNbAttributes = 5;

enum Operation {
  kCreateAttribute,
  kCreateMarkup,
  kAttachAttribute,
  kAttachMarkup,
  kRegroupMarkups,
  kOpenMarkup,
  kSetAttributeValue,
  kSetNumber,
  kSetText,
  kCloseMarkup,
  kTakeTree,
  kTearDown,
  kLastOperation = kTearDown
};

// What the driver knows of the library's state, to aim its calls.
struct Shadow {
  std::set<std::string> DeclaredMarkups;
  std::vector<std::string> Open;
};

MOKUnicodeString Markup(FuzzedDataProvider& provider) {
  return kMarkups[provider.ConsumeIntegralInRange<int>(0, kNbMarkups - 1)];
}

MOKUnicodeString Attribute(FuzzedDataProvider& provider) {
  return kAttributes[provider.ConsumeIntegralInRange<int>(0,
                                                          kNbAttributes - 1)];
}

// Mostly the named values, now and then any 32-bit value.
std::int32_t LinkValue(FuzzedDataProvider& provider) {
  if (provider.ConsumeIntegralInRange<int>(0, 7) == 0)
    return provider.ConsumeIntegral<std::int32_t>();
  return provider.ConsumeIntegralInRange<std::int32_t>(0, 5);
}

// The finished tree must survive the writer and the parser unchanged.
void CheckTree(MOKLightXmlElement* tree) {
  std::string text;
  Check(WriteText(*tree, text));
  MOKLightXmlElement back;
  Check(ParseText(text, back));
  Check(SameTree(*tree, back, false));
  delete tree;
}

void TearDown(Shadow& shadow) {
  delete VisuXMLMarkup::GetXMLStreamNode();
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLMarkup::ClearMarkupsHistory();
  VisuXMLAttribute::DestroyAttributes();
  shadow = Shadow();
}

void Regroup(FuzzedDataProvider& provider) {
  const MOKUnicodeString parent = Markup(provider);
  std::vector<MOKUnicodeString> names(
      provider.ConsumeIntegralInRange<std::size_t>(0, 4));
  for (MOKUnicodeString& name : names) name = Markup(provider);
  VisuXMLMarkup::RegroupMarkups(
      parent, names.empty() ? nullptr : names.data(),
      static_cast<std::uint32_t>(names.size()),
      static_cast<VisuXMLMarkupToMarkupLink>(LinkValue(provider)));
}

void Open(FuzzedDataProvider& provider, Shadow& shadow) {
  const MOKUnicodeString name = Markup(provider);
  const VisuXMLError result = VisuXMLMarkup::OpenMarkup(name);
  // Any declared name is opened (refused or not) unless memory ran out.
  if (result != 3 &&
      shadow.DeclaredMarkups.count(static_cast<const char*>(name)))
    shadow.Open.emplace_back(static_cast<const char*>(name));
}

void Close(FuzzedDataProvider& provider, Shadow& shadow) {
  const bool matching = provider.ConsumeBool() && !shadow.Open.empty();
  const MOKUnicodeString name =
      matching ? MOKUnicodeString(shadow.Open.back().c_str())
               : Markup(provider);
  const VisuXMLError result = VisuXMLMarkup::CloseMarkup(name);
  if (shadow.Open.empty()) {
    Check(result == 1);
    return;
  }
  Check(result == 0 || result == 1);
  shadow.Open.pop_back();
  if (shadow.Open.empty()) {
    MOKLightXmlElement* tree = VisuXMLMarkup::GetXMLStreamNode();
    // A failed allocation may cost the tree, never more.
    Check(tree != nullptr || AllocationFailure::Fired());
    Check(VisuXMLMarkup::GetXMLStreamNode() == nullptr);
    if (tree != nullptr) CheckTree(tree);
  }
}

void SetNumber(FuzzedDataProvider& provider) {
  MOKUnicodeString text;
  VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(
      provider.ConsumeFloatingPoint<float>(), text, provider.ConsumeBool());
  VisuXMLMarkup::SetAttributeValue(Attribute(provider), text);
}

void Step(FuzzedDataProvider& provider, Shadow& shadow) {
  switch (provider.ConsumeIntegralInRange<int>(0, kLastOperation)) {
    case kCreateAttribute:
      VisuXMLAttribute::CreateXMLAttribute(
          Attribute(provider),
          static_cast<VisuXMLTypeOfAttribute>(LinkValue(provider)));
      break;
    case kCreateMarkup: {
      const MOKUnicodeString name = Markup(provider);
      const bool failedBefore = AllocationFailure::Fired();
      const VisuXMLError result = VisuXMLMarkup::CreateXMLMarkup(
          name, static_cast<VisuXMLTypeOfMarkup>(
                    provider.ConsumeBool() ? 0 : LinkValue(provider)));
      // A record that could not be allocated is not declared, and the
      // result does not say so.
      if (result == 0 && AllocationFailure::Fired() == failedBefore)
        shadow.DeclaredMarkups.insert(static_cast<const char*>(name));
      break;
    }
    case kAttachAttribute:
      VisuXMLMarkup::AttachAttribute(
          Markup(provider), Attribute(provider),
          static_cast<VisuXMLAttributeToMarkupLink>(LinkValue(provider)));
      break;
    case kAttachMarkup:
      VisuXMLMarkup::AttachMarkup(
          Markup(provider), Markup(provider),
          static_cast<VisuXMLMarkupToMarkupLink>(LinkValue(provider)));
      break;
    case kRegroupMarkups:
      Regroup(provider);
      break;
    case kOpenMarkup:
      Open(provider, shadow);
      break;
    case kSetAttributeValue: {
      const MOKUnicodeString attribute = Attribute(provider);
      // Any bytes, NUL included: what XML cannot carry is replaced as the
      // value enters the tree, so the tree must still read back unchanged.
      const std::string value = provider.ConsumeRandomLengthString(32);
      VisuXMLMarkup::SetAttributeValue(
          attribute, MOKUnicodeString(value.data(), value.size()));
      break;
    }
    case kSetNumber:
      SetNumber(provider);
      break;
    case kSetText: {
      const std::string text = provider.ConsumeRandomLengthString(32);
      VisuXMLMarkup::SetText(MOKUnicodeString(text.data(), text.size()));
      break;
    }
    case kCloseMarkup:
      Close(provider, shadow);
      break;
    case kTakeTree:
      // Nothing may be handed out twice.
      Check(VisuXMLMarkup::GetXMLStreamNode() == nullptr);
      break;
    case kTearDown:
      TearDown(shadow);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider provider(data, size);
  VisuXMLDumpVersionTestAccess::Set(provider.ConsumeBool() ? 6 : 1);
  // Half the inputs run without failure, the others fail allocation 1..128.
  const int failure = provider.ConsumeIntegralInRange<int>(0, 255);
  AllocationFailure::Arm(
      failure < 128 ? 0 : static_cast<std::size_t>(failure - 127));
  Shadow shadow;
  while (provider.remaining_bytes() > 0) Step(provider, shadow);
  AllocationFailure::Disarm();
  TearDown(shadow);
  return 0;
}
