#include "TrackingXMLFile.h"

#include <cmath>

#include "ElementPath.h"
#include "NumericText.h"
#include "VisuXMLAttribute.h"

namespace {

void KeepLarger(RealGap& gap, double value, const std::string& path) {
  if (gap.found && value <= gap.value) return;
  gap.found = true;
  gap.value = value;
  gap.path = path;
}

const MOKUnicodeString* FindAttributeValue(const MOKLightXmlElement& element,
                                           const MOKUnicodeString& name) {
  for (std::size_t i = 0; i < element.GetAttributeCount(); ++i)
    if (element.GetAttributeNameAt(i).Compare(name) == 2)
      return &element.GetAttributeValueAt(i);
  return nullptr;
}

DifferenceKind MarkupKind(VisuXMLFile::_VisuXMLMarkupError error) {
  switch (error) {
    case VisuXMLFile::VisuXMLMarkupNameMismatch:
      return DifferenceKind::MarkupNameMismatch;
    case VisuXMLFile::VisuXMLSubMarkupNotInOutput:
      return DifferenceKind::MarkupNotInOutput;
    default:
      return DifferenceKind::MarkupNotInReference;
  }
}

DifferenceKind AttributeKind(VisuXMLFile::_VisuXMLAttributeError error) {
  switch (error) {
    case VisuXMLFile::VisuXMLAttributeValueChanged:
      return DifferenceKind::AttributeValueChanged;
    case VisuXMLFile::VisuXMLAttributeNotInOutput:
      return DifferenceKind::AttributeNotInOutput;
    default:
      return DifferenceKind::AttributeNotInReference;
  }
}

}  // namespace

TrackingXMLFile::TrackingXMLFile(const MOKUnicodeString& path)
    : VisuXMLFile(path) {}

void TrackingXMLFile::StartMarkupComparison(MOKLightXmlElement* reference,
                                            MOKLightXmlElement* output) {
  std::string path = _Frames.empty()
                         ? "/" + reference->GetName().GetText()
                         : _Frames.back().path + "/" +
                               ChildStep(_Frames.back().reference, reference);
  if (reference->GetName().Compare(output->GetName()) == 2)
    MeasureRealGaps(*reference, *output, path);
  _Frames.push_back(Frame{reference, output, path});
}

void TrackingXMLFile::EndMarkupComparison(MOKLightXmlElement*,
                                          MOKLightXmlElement*) {
  if (!_Frames.empty()) _Frames.pop_back();
}

void TrackingXMLFile::LogErrorOnMarkup(_VisuXMLMarkupError error,
                                       MOKLightXmlElement* reference,
                                       MOKLightXmlElement* output,
                                       MOKLightXmlElement& errorElement) {
  VisuXMLFile::LogErrorOnMarkup(error, reference, output, errorElement);
  std::string path = error == VisuXMLMarkupNameMismatch
                         ? CurrentPath()
                         : PathOfUnpairedChild(reference, output);
  Record(MarkupKind(error), path, errorElement);
}

void TrackingXMLFile::LogErrorOnAttribute(_VisuXMLAttributeError error,
                                          MOKLightXmlElement* reference,
                                          MOKLightXmlElement* output,
                                          const MOKUnicodeString* attributeName,
                                          MOKLightXmlElement& errorElement) {
  VisuXMLFile::LogErrorOnAttribute(error, reference, output, attributeName,
                                   errorElement);
  if (attributeName == nullptr) return;
  Record(AttributeKind(error),
         CurrentPath() + "/@" + attributeName->GetText(), errorElement);
}

std::string TrackingXMLFile::CurrentPath() const {
  return _Frames.empty() ? std::string("/") : _Frames.back().path;
}

// An unpaired child is located among the children of its own side.
std::string TrackingXMLFile::PathOfUnpairedChild(
    MOKLightXmlElement* reference, MOKLightXmlElement* output) const {
  MOKLightXmlElement* child = reference != nullptr ? reference : output;
  if (child == nullptr || _Frames.empty()) return CurrentPath();
  const Frame& parent = _Frames.back();
  return parent.path + "/" +
         ChildStep(reference != nullptr ? parent.reference : parent.output,
                   child);
}

void TrackingXMLFile::MeasureRealGaps(const MOKLightXmlElement& reference,
                                      const MOKLightXmlElement& output,
                                      const std::string& path) {
  for (std::size_t i = 0; i < reference.GetAttributeCount(); ++i) {
    const MOKUnicodeString& name = reference.GetAttributeNameAt(i);
    if (VisuXMLAttribute::GetXMLAttributeType(name) != VisuXMLRealAttribute)
      continue;
    const MOKUnicodeString* outputValue = FindAttributeValue(output, name);
    double r = 0.0;
    double o = 0.0;
    if (outputValue == nullptr ||
        !ReadWholeNumber(reference.GetAttributeValueAt(i).GetText(), r) ||
        !ReadWholeNumber(outputValue->GetText(), o))
      continue;
    std::string attributePath = path + "/@" + name.GetText();
    KeepLarger(_LargestAbsolute, std::fabs(r - o), attributePath);
    if (r != 0.0)
      KeepLarger(_LargestRelative, std::fabs((r - o) / r), attributePath);
  }
}

void TrackingXMLFile::Record(DifferenceKind kind, const std::string& path,
                             const MOKLightXmlElement& errorElement) {
  _Differences.push_back(
      Difference{kind, path, errorElement.GetValue().GetText()});
}
