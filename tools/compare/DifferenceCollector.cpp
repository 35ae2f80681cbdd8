#include "DifferenceCollector.h"

#include <cmath>

namespace {

const char kUncomparedMessage[] = "not compared: memory ran out";

DifferenceKind KindOf(VisuXMLDifferenceKind kind) {
  switch (kind) {
    case VisuXMLDifferenceKind::NameMismatch:
      return DifferenceKind::NameMismatch;
    case VisuXMLDifferenceKind::MarkupNotInOutput:
      return DifferenceKind::MarkupNotInOutput;
    case VisuXMLDifferenceKind::MarkupNotInReference:
      return DifferenceKind::MarkupNotInReference;
    case VisuXMLDifferenceKind::ValueChanged:
      return DifferenceKind::ValueChanged;
    case VisuXMLDifferenceKind::AttributeNotInOutput:
      return DifferenceKind::AttributeNotInOutput;
    case VisuXMLDifferenceKind::AttributeNotInReference:
      return DifferenceKind::AttributeNotInReference;
    default:
      return DifferenceKind::Uncompared;
  }
}

// The first of equal gaps stays; a gap that is not a number never counts.
void KeepLarger(RealGap& gap, double value,
                const VisuXMLDifferencePlace& place) {
  if (std::isnan(value) || (gap.found && value <= gap.value)) return;
  gap.found = true;
  gap.value = value;
  gap.path = place.XPath();
}

}  // namespace

void DifferenceCollector::OnDifference(const VisuXMLDifference& difference,
                                       const VisuXMLDifferencePlace& place) {
  FoundDifference found;
  found.kind = KindOf(difference._Kind);
  found.path = place.XPath();
  found.message = difference._pMessage->GetText();
  if (found.message.empty()) found.message = kUncomparedMessage;
  if (difference._pAttributeName != nullptr)
    found.attributeName = difference._pAttributeName->GetText();
  found.comparedAsNumbers = difference._ComparedAsNumbers;
  found.referenceNumber = difference._ReferenceNumber;
  found.outputNumber = difference._OutputNumber;
  if (_pLocator != nullptr) _pLocator->Locate(difference, place);
  Add(found);
}

void DifferenceCollector::OnNumbersCompared(
    const MOKUnicodeString&, double reference, double output,
    const VisuXMLDifferencePlace& place) {
  const double gap = std::fabs(reference - output);
  KeepLarger(_Tally.largestAbsolute, gap, place);
  if (reference != 0.0)
    KeepLarger(_Tally.largestRelative, gap / std::fabs(reference), place);
}

void DifferenceCollector::Add(const FoundDifference& difference) {
  ++_Tally.counts[static_cast<int>(difference.kind)];
  ++_Tally.total;
  _Sink.Take(difference);
}
