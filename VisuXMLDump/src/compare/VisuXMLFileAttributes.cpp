#include <cstring>
#include <new>
#include <utility>

#include "VisuXMLAttribute.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLFile.h"
#include "compare/AttributeNameIndex.h"
#include "compare/VisuXMLFileChains.h"

namespace {

const char* const kUnsetValue = "???";
const char* const kNumberFormat = "%le";
const double kAbsoluteTolerance = 0.001;
const double kRelativeTolerance = 0.01;
const double kSmallNumberBound = 0.01;
// Up to this many output attributes a walk of the chain per reference
// attribute costs less than building an index by name.
const std::size_t kLinearPairingLimit = 16;

bool AgreeAbsolutely(double reference, double output) {
  return output + kAbsoluteTolerance > reference &&
         reference > output - kAbsoluteTolerance;
}

// A zero reference is not divided by: the difference itself is then held
// against the tolerance.
bool AgreeRelatively(double reference, double output) {
  double difference = reference - output;
  if (reference != 0.0) difference = difference / reference;
  return difference < kRelativeTolerance && difference > -kRelativeTolerance;
}

bool IsSmallNumber(double value) {
  return value < kSmallNumberBound && value > -kSmallNumberBound;
}

// Every test is strict, so a value that is not a number never agrees.
bool NumbersAgree(double reference, double output, int dumpVersion) {
  if (dumpVersion == 1) return AgreeAbsolutely(reference, output);
  if (dumpVersion == 2) return AgreeRelatively(reference, output);
  if (IsSmallNumber(reference) && IsSmallNumber(output))
    return AgreeAbsolutely(reference, output);
  return AgreeRelatively(reference, output);
}

bool SameText(const char* first, std::size_t firstLength, const char* second,
              std::size_t secondLength) {
  return firstLength == secondLength &&
         (firstLength == 0 || std::memcmp(first, second, firstLength) == 0);
}

// Values are read as numbers only when they differ as text and the
// attribute is declared real.
bool ValuesAgree(const MOKUnicodeString& name, const char* reference,
                 std::size_t referenceLength, const char* output,
                 std::size_t outputLength) {
  if (SameText(reference, referenceLength, output, outputLength)) return true;
  if (VisuXMLAttribute::GetXMLAttributeType(name) != VisuXMLRealAttribute)
    return false;
  double referenceNumber = 0.0;
  double outputNumber = 0.0;
  if (MOKUnicodeString(reference, referenceLength)
              .ConvertToNum(&referenceNumber, kNumberFormat) == 0 ||
      MOKUnicodeString(output, outputLength)
              .ConvertToNum(&outputNumber, kNumberFormat) == 0)
    return false;
  return NumbersAgree(referenceNumber, outputNumber,
                      VisuXMLDumpVersion::GetVersionNumber());
}

bool IsChainIncomplete(const void* chain, const MOKLightXmlElement* element) {
  return chain == nullptr && element->GetAttributes() != nullptr;
}

}  // namespace

void VisuXMLFile::AttributesComparison(MOKLightXmlElement* reference,
                                       MOKLightXmlElement* output,
                                       MOKLightXmlElement& result,
                                       unsigned int& errorCount) {
  if (reference == nullptr || output == nullptr) return;
  if (reference->HasSameAttributeNames(*output)) {
    VisuXMLAttributesChain::CompareAligned(*this, reference, output, result,
                                           errorCount);
    return;
  }
  const OwnedChain<VisuXMLAttributesChain> referenceOwner(
      BuildAttributesChain(reference));
  const OwnedChain<VisuXMLAttributesChain> outputOwner(
      BuildAttributesChain(output));
  VisuXMLAttributesChain* const referenceChain = referenceOwner.Get();
  VisuXMLAttributesChain* const outputChain = outputOwner.Get();
  if (IsChainIncomplete(referenceChain, reference) ||
      IsChainIncomplete(outputChain, output)) {
    AddUncomparedError(result, errorCount);
    return;
  }
  // Without the index (few attributes, or no memory for it) each reference
  // attribute walks the output chain, which is quadratic in the worst case.
  AttributeNameIndex<VisuXMLAttributesChain> index;
  if (output->GetAttributeCount() > kLinearPairingLimit)
    index.Build(outputChain, output->GetAttributeCount());
  // Every attribute set on result comes from a distinct output entry, so
  // distinct output names on a result without attributes are all new.
  const bool appendToResult = index.IsBuilt() && !index.HasRepeatedName() &&
                              result.GetAttributeCount() == 0;
  for (VisuXMLAttributesChain* entry = referenceChain;
       entry != nullptr && outputChain != nullptr; entry = entry->_pNext) {
    VisuXMLAttributesChain* partner =
        index.IsBuilt() ? index.Take(*entry->_pName)
                        : outputChain->FindUnmatched(*entry->_pName);
    if (partner == nullptr) continue;
    // Set before the values are compared: the result shows the output's.
    partner->CopyOnto(result, appendToResult);
    if (!ValuesAgree(*entry->_pName, entry->_pValue, entry->_uiLength,
                     partner->_pValue, partner->_uiLength))
      VisuXMLAttributesChain::AddError(*this, VisuXMLAttributeValueChanged,
                                       reference, output, entry->_pName,
                                       result, errorCount);
    entry->_Matched = partner->_Matched = true;
  }
  if (referenceChain != nullptr)
    referenceChain->ReportUnmatched(*this, VisuXMLAttributeNotInOutput,
                                    reference, output, result, errorCount,
                                    appendToResult);
  if (outputChain != nullptr)
    outputChain->ReportUnmatched(*this, VisuXMLAttributeNotInReference,
                                 reference, output, result, errorCount,
                                 appendToResult);
}

// The usual case of a replay: both elements carry the same names in the
// same order, so attribute i pairs with attribute i, nothing is left
// unpaired, and the result carries exactly the output's attributes, which
// it shares instead of copying.
void VisuXMLFile::VisuXMLAttributesChain::CompareAligned(
    VisuXMLFile& file, MOKLightXmlElement* reference,
    MOKLightXmlElement* output, MOKLightXmlElement& result,
    unsigned int& errorCount) {
  result.ShareAttributesOf(*output);
  const std::size_t count = reference->GetAttributeCount();
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t referenceLength = 0;
    std::size_t outputLength = 0;
    const char* referenceValue =
        reference->GetAttributeTextAt(i, &referenceLength);
    const char* outputValue = output->GetAttributeTextAt(i, &outputLength);
    const MOKUnicodeString& name = reference->GetAttributeNameAt(i);
    if (!ValuesAgree(name, referenceValue, referenceLength, outputValue,
                     outputLength))
      AddError(file, VisuXMLAttributeValueChanged, reference, output, &name,
               result, errorCount);
  }
}

// Null for a null element or one without attributes, and when memory runs
// out: a partial chain would report attributes as missing.
VisuXMLFile::VisuXMLAttributesChain* VisuXMLFile::BuildAttributesChain(
    MOKLightXmlElement* element) {
  if (element == nullptr || element->GetAttributeCount() == 0) return nullptr;
  VisuXMLAttributesChain* head =
      NewChainBlock<VisuXMLAttributesChain>(element->GetAttributeCount());
  if (head == nullptr) return nullptr;
  VisuXMLAttributesChain* entry = head;
  for (std::size_t i = 0; i < element->GetAttributeCount(); ++i) {
    entry->_pName = &element->GetAttributeNameAt(i);
    entry->_pValue = element->GetAttributeTextAt(i, &entry->_uiLength);
    entry = entry->_pNext;
  }
  return head;
}

VisuXMLFile::VisuXMLAttributesChain*
VisuXMLFile::VisuXMLAttributesChain::FindUnmatched(
    const MOKUnicodeString& name) {
  for (VisuXMLAttributesChain* entry = this; entry != nullptr;
       entry = entry->_pNext)
    if (!entry->_Matched && entry->_pName->Compare(name) == 2) return entry;
  return nullptr;
}

bool VisuXMLFile::VisuXMLAttributesChain::IsUnset() const {
  return SameText(_pValue, _uiLength, kUnsetValue, std::strlen(kUnsetValue));
}

void VisuXMLFile::VisuXMLAttributesChain::ReportUnmatched(
    VisuXMLFile& file, _VisuXMLAttributeError error,
    MOKLightXmlElement* reference, MOKLightXmlElement* output,
    MOKLightXmlElement& result, unsigned int& errorCount,
    bool appendToResult) {
  for (VisuXMLAttributesChain* entry = this; entry != nullptr;
       entry = entry->_pNext) {
    if (entry->_Matched || entry->IsUnset()) continue;
    if (error == VisuXMLAttributeNotInReference)
      entry->CopyOnto(result, appendToResult);
    AddError(file, error, reference, output, entry->_pName, result,
             errorCount);
  }
}

void VisuXMLFile::VisuXMLAttributesChain::CopyOnto(MOKLightXmlElement& result,
                                                  bool appendToResult) const {
  if (appendToResult)
    result.AppendAttribute(*_pName, Value());
  else
    result.SetAttributeValue(*_pName, Value());
}

void VisuXMLFile::VisuXMLAttributesChain::AddError(
    VisuXMLFile& file, _VisuXMLAttributeError error,
    MOKLightXmlElement* reference, MOKLightXmlElement* output,
    const MOKUnicodeString* name, MOKLightXmlElement& result,
    unsigned int& errorCount) {
  MOKLightXmlElement errorElement;
  file.LogErrorOnAttribute(error, reference, output, name, errorElement);
  result.AddChild(std::move(errorElement));
  ++errorCount;
}
