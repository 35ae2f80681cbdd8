#include "control/VisuXMLDifferenceDigest.h"

void VisuXMLDifferenceDigest::OnDifference(
    const VisuXMLDifference& difference, const VisuXMLDifferencePlace& place) {
  if (_Lines.size() == kMostLines) return;
  const std::string& message = difference._pMessage->GetText();
  _Lines.push_back(
      place.XPath() + ": " +
      (message.empty() ? "not compared: memory ran out" : message));
}
