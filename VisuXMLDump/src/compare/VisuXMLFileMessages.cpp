#include "VisuXMLFile.h"

namespace {

const char* const kErrorMarkupName = "VisuXMLError";

MOKUnicodeString MarkupErrorMessage(VisuXMLFile::_VisuXMLMarkupError error,
                                    const MOKLightXmlElement* reference,
                                    const MOKLightXmlElement* output) {
  MOKUnicodeString message;
  if (error == VisuXMLFile::VisuXMLMarkupNameMismatch && reference != nullptr &&
      output != nullptr) {
    message += "A ";
    message += output->GetName();
    message += " markup is read whereas we were waiting for a ";
    message += reference->GetName();
    message += " markup.";
  } else if (error == VisuXMLFile::VisuXMLSubMarkupNotInOutput &&
             reference != nullptr) {
    message += "The sub-markup ";
    message += reference->GetName();
    message += " doesn't appear in the output file.";
  } else if (error == VisuXMLFile::VisuXMLSubMarkupNotInReference &&
             output != nullptr) {
    message += "An extra sub-markup ";
    message += output->GetName();
    message += " has been defined in the output file.";
  }
  return message;
}

MOKUnicodeString AttributeErrorMessage(
    VisuXMLFile::_VisuXMLAttributeError error,
    const MOKLightXmlElement* reference, const MOKLightXmlElement* output,
    const MOKUnicodeString& name) {
  MOKUnicodeString message("The attribute ");
  message += name;
  if (error == VisuXMLFile::VisuXMLAttributeValueChanged) {
    if (reference != nullptr && output != nullptr) {
      message += " value has changed from ";
      message += reference->GetAttributeValue(name);
      message += " to ";
      message += output->GetAttributeValue(name);
      message += ".";
    }
  } else if (error == VisuXMLFile::VisuXMLAttributeNotInOutput) {
    message += " doesn't appear in the output file.";
  } else if (error == VisuXMLFile::VisuXMLAttributeNotInReference) {
    message += " doesn't appear in the reference file.";
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
  errorElement.SetName(kErrorMarkupName);
  errorElement.SetValue(MarkupErrorMessage(error, reference, output));
}

void VisuXMLFile::LogErrorOnAttribute(_VisuXMLAttributeError error,
                                      MOKLightXmlElement* reference,
                                      MOKLightXmlElement* output,
                                      const MOKUnicodeString* attributeName,
                                      MOKLightXmlElement& errorElement) {
  if (attributeName == nullptr) return;
  errorElement.SetName(kErrorMarkupName);
  errorElement.SetValue(
      AttributeErrorMessage(error, reference, output, *attributeName));
}
