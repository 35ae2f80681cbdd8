// Two arbitrary documents compared as reference and output, under an
// arbitrary dump version and with arbitrary attributes declared as reals.
// The comparison must agree with itself (a document equals itself, the
// result matches the errors it logged) and its result tree must write as
// well-formed XML. An input may also make one of the library's nothrow
// allocations fail during a second comparison: that one may then only
// report more differences, never fewer, and a search may only say "found"
// more often.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "FuzzSupport.h"
#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLFile.h"

namespace {

// Counts the differences the walk reports through the hooks.
class CountingFile : public VisuXMLFile {
 public:
  explicit CountingFile(const MOKLightXmlElement& element)
      : VisuXMLFile(element) {}
  unsigned int Logged = 0;

 protected:
  void LogErrorOnMarkup(_VisuXMLMarkupError error,
                        MOKLightXmlElement* reference,
                        MOKLightXmlElement* output,
                        MOKLightXmlElement& errorElement) override {
    ++Logged;
    VisuXMLFile::LogErrorOnMarkup(error, reference, output, errorElement);
  }
  void LogErrorOnAttribute(_VisuXMLAttributeError error,
                           MOKLightXmlElement* reference,
                           MOKLightXmlElement* output,
                           const MOKUnicodeString* attributeName,
                           MOKLightXmlElement& errorElement) override {
    ++Logged;
    VisuXMLFile::LogErrorOnAttribute(error, reference, output, attributeName,
                                     errorElement);
  }
};

const char* const kAttributeNames[] = {"x", "y", "v", "w", "Name"};
const char* const kMarkupNames[] = {"a", "b", "c", "VisuXMLError"};

int PickVersion(FuzzedDataProvider& provider) {
  switch (provider.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return 1;
    case 1:
      return 2;
    case 2:
      return 6;
    default:
      return provider.ConsumeIntegral<int>();
  }
}

void DeclareReals(FuzzedDataProvider& provider) {
  const int count = provider.ConsumeIntegralInRange<int>(0, 4);
  for (int i = 0; i < count; ++i) {
    const bool pooled = provider.ConsumeBool();
    const std::string name =
        pooled ? kAttributeNames[provider.ConsumeIntegralInRange<int>(0, 4)]
               : provider.ConsumeRandomLengthString(8);
    // A type other than real now and then: stored, compared as text.
    const int type = provider.ConsumeIntegralInRange<int>(0, 9) == 0
                         ? provider.ConsumeIntegral<int>()
                         : static_cast<int>(VisuXMLRealAttribute);
    VisuXMLAttribute::CreateXMLAttribute(
        MOKUnicodeString(name.c_str()),
        static_cast<VisuXMLTypeOfAttribute>(type));
  }
}

// The same comparison again with the given nothrow allocation failing.
void CheckUnderFailure(std::size_t failAt,
                       const MOKLightXmlElement& referenceTree,
                       const MOKLightXmlElement& outputTree,
                       const std::string& searched, unsigned char same,
                       unsigned char found) {
  ScopedAllocationFailure failure(failAt);
  VisuXMLFile reference(referenceTree);
  VisuXMLFile output(outputTree);
  if (reference.IsFileValid() == 1 && output.IsFileValid() == 1) {
    Check(reference.SearchForMarkup(MOKUnicodeString(searched.c_str())) >=
          found);
    MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
    Check(reference.Compare(&output, report) <= same);
  }
}

void CheckResultWrites(const MOKLightXmlElement& report) {
  std::string text;
  Check(WriteText(report, text));
  MOKLightXmlElement back;
  Check(ParseText(text, back));
  Check(SameTree(report, back, false));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider provider(data, size);
  VisuXMLDumpVersionTestAccess::Set(PickVersion(provider));
  const int failure = provider.ConsumeIntegralInRange<int>(0, 255);
  DeclareReals(provider);
  const std::string searched =
      kMarkupNames[provider.ConsumeIntegralInRange<int>(0, 3)];
  const std::string referenceText = provider.ConsumeRandomLengthString(4096);
  const std::string outputText = provider.ConsumeRemainingBytesAsString();

  MOKLightXmlElement referenceTree;
  MOKLightXmlElement outputTree;
  if (!ParseText(referenceText, referenceTree) ||
      !ParseText(outputText, outputTree)) {
    VisuXMLAttribute::DestroyAttributes();
    return 0;
  }

  CountingFile reference(referenceTree);
  CountingFile output(outputTree);
  Check(reference.IsFileValid() == 1 && output.IsFileValid() == 1);
  const unsigned char found =
      TreeHasElementNamed(referenceTree, MOKUnicodeString(searched.c_str()))
          ? 1
          : 0;
  Check(reference.SearchForMarkup(MOKUnicodeString(searched.c_str())) == found);

  MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
  const unsigned char same = reference.Compare(&output, report);
  Check(same == (reference.Logged == 0 ? 1 : 0));
  Check(report.GetChildCount() == 1);
  CheckResultWrites(report);
  // Half the inputs also fail allocation 1..128 of a second comparison.
  if (failure >= 128)
    CheckUnderFailure(static_cast<std::size_t>(failure - 127), referenceTree,
                      outputTree, searched, same, found);

  // A document always equals itself, whatever its attribute values.
  CountingFile twin(referenceTree);
  MOKLightXmlElement selfReport(MOKUnicodeString("VisuXMLErrorReport"));
  Check(reference.Compare(&twin, selfReport) == 1);
  Check(selfReport.GetChildCount() == 1);
  Check(SameTree(*selfReport.GetChildAt(0), referenceTree, false));

  VisuXMLAttribute::DestroyAttributes();
  return 0;
}
