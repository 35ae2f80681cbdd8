#include <new>
#include <utility>

#include "VisuXMLAttribute.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLFile.h"
#include "compare/VisuXMLFileChains.h"

namespace {

const char* const kUnsetValue = "???";
const char* const kNumberFormat = "%le";
const double kAbsoluteTolerance = 0.001;
const double kRelativeTolerance = 0.01;
const double kSmallNumberBound = 0.01;

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

// Values are read as numbers only when they differ as text and the
// attribute is declared real.
bool ValuesAgree(const MOKUnicodeString& name,
                 const MOKUnicodeString& reference,
                 const MOKUnicodeString& output) {
  if (reference.Compare(output) == 2) return true;
  if (VisuXMLAttribute::GetXMLAttributeType(name) != VisuXMLRealAttribute)
    return false;
  double referenceNumber = 0.0;
  double outputNumber = 0.0;
  if (reference.ConvertToNum(&referenceNumber, kNumberFormat) == 0 ||
      output.ConvertToNum(&outputNumber, kNumberFormat) == 0)
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
  VisuXMLAttributesChain* referenceChain = BuildAttributesChain(reference);
  VisuXMLAttributesChain* outputChain = BuildAttributesChain(output);
  if (IsChainIncomplete(referenceChain, reference) ||
      IsChainIncomplete(outputChain, output)) {
    AddUncomparedError(result, errorCount);
    DestroyChain(referenceChain);
    DestroyChain(outputChain);
    return;
  }
  for (VisuXMLAttributesChain* entry = referenceChain;
       entry != nullptr && outputChain != nullptr; entry = entry->_pNext) {
    VisuXMLAttributesChain* partner = outputChain->FindUnmatched(*entry->_pName);
    if (partner == nullptr) continue;
    // Set before the values are compared: the result shows the output's.
    result.SetAttributeValue(*partner->_pName, *partner->_pValue);
    if (!ValuesAgree(*entry->_pName, *entry->_pValue, *partner->_pValue))
      VisuXMLAttributesChain::AddError(*this, VisuXMLAttributeValueChanged,
                                       reference, output, entry->_pName,
                                       result, errorCount);
    entry->_Matched = partner->_Matched = true;
  }
  if (referenceChain != nullptr)
    referenceChain->ReportUnmatched(*this, VisuXMLAttributeNotInOutput,
                                    reference, output, result, errorCount);
  DestroyChain(referenceChain);
  if (outputChain != nullptr)
    outputChain->ReportUnmatched(*this, VisuXMLAttributeNotInReference,
                                 reference, output, result, errorCount);
  DestroyChain(outputChain);
}

// Null for a null element or one without attributes, and when memory runs
// out: a partial chain would report attributes as missing.
VisuXMLFile::VisuXMLAttributesChain* VisuXMLFile::BuildAttributesChain(
    MOKLightXmlElement* element) {
  if (element == nullptr) return nullptr;
  VisuXMLAttributesChain* head = nullptr;
  VisuXMLAttributesChain** tail = &head;
  void* cookie = element->GetAttributes();
  while (const MOKUnicodeString* name = element->GetAttributeName(cookie)) {
    *tail = new (std::nothrow)
        VisuXMLAttributesChain(name, &element->GetAttributeValue(*name));
    if (*tail == nullptr) {
      DestroyChain(head);
      return nullptr;
    }
    tail = &(*tail)->_pNext;
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
  return _pValue->Compare(kUnsetValue) == 2;
}

void VisuXMLFile::VisuXMLAttributesChain::ReportUnmatched(
    VisuXMLFile& file, _VisuXMLAttributeError error,
    MOKLightXmlElement* reference, MOKLightXmlElement* output,
    MOKLightXmlElement& result, unsigned int& errorCount) {
  for (VisuXMLAttributesChain* entry = this; entry != nullptr;
       entry = entry->_pNext) {
    if (entry->_Matched || entry->IsUnset()) continue;
    if (error == VisuXMLAttributeNotInReference)
      result.SetAttributeValue(*entry->_pName, *entry->_pValue);
    AddError(file, error, reference, output, entry->_pName, result,
             errorCount);
  }
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
