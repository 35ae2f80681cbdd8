#include "VisuXMLFile.h"
#include "VisuXMLVocabulary.h"

namespace V = VisuXMLVocabulary;

namespace {

MOKUnicodeString MarkupErrorMessage(VisuXMLFile::_VisuXMLMarkupError error,
                                    const MOKLightXmlElement* reference,
                                    const MOKLightXmlElement* output) {
  MOKUnicodeString message;
  if (error == VisuXMLFile::VisuXMLMarkupNameMismatch && reference != nullptr &&
      output != nullptr) {
    message += V::kNameMismatchRead;
    message += output->GetName();
    message += V::kNameMismatchAwaited;
    message += reference->GetName();
    message += V::kNameMismatchEnd;
  } else if (error == VisuXMLFile::VisuXMLSubMarkupNotInOutput &&
             reference != nullptr) {
    message += V::kMissingMarkup;
    message += reference->GetName();
    message += V::kMissingMarkupEnd;
  } else if (error == VisuXMLFile::VisuXMLSubMarkupNotInReference &&
             output != nullptr) {
    message += V::kExtraMarkup;
    message += output->GetName();
    message += V::kExtraMarkupEnd;
  }
  return message;
}

MOKUnicodeString AttributeErrorMessage(
    VisuXMLFile::_VisuXMLAttributeError error,
    const MOKLightXmlElement* reference, const MOKLightXmlElement* output,
    const MOKUnicodeString& name) {
  MOKUnicodeString message(V::kAttribute);
  message += name;
  if (error == VisuXMLFile::VisuXMLAttributeValueChanged) {
    if (reference != nullptr && output != nullptr) {
      message += V::kValueChangedFrom;
      message += reference->GetAttributeValue(name);
      message += V::kValueChangedTo;
      message += output->GetAttributeValue(name);
      message += V::kValueChangedEnd;
    }
  } else if (error == VisuXMLFile::VisuXMLAttributeNotInOutput) {
    message += V::kAttributeNotInOutput;
  } else if (error == VisuXMLFile::VisuXMLAttributeNotInReference) {
    message += V::kAttributeNotInReference;
  }
  return message;
}

}  // namespace

void VisuXMLFile::StartMarkupComparison(MOKLightXmlElement*,
                                        MOKLightXmlElement*) {}

void VisuXMLFile::EndMarkupComparison(MOKLightXmlElement*,
                                      MOKLightXmlElement*) {}

void VisuXMLFile::LogErrorOnMarkup(_VisuXMLMarkupError error,
                                   MOKLightXmlElement* reference,
                                   MOKLightXmlElement* output,
                                   MOKLightXmlElement& errorElement) {
  errorElement.SetName(V::kErrorElement);
  errorElement.SetValue(MarkupErrorMessage(error, reference, output));
}

void VisuXMLFile::LogErrorOnAttribute(_VisuXMLAttributeError error,
                                      MOKLightXmlElement* reference,
                                      MOKLightXmlElement* output,
                                      const MOKUnicodeString* attributeName,
                                      MOKLightXmlElement& errorElement) {
  if (attributeName == nullptr) return;
  errorElement.SetName(V::kErrorElement);
  errorElement.SetValue(
      AttributeErrorMessage(error, reference, output, *attributeName));
}
