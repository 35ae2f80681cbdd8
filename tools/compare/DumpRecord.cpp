#include "DumpRecord.h"

#include <utility>

#include "PageText.h"

namespace {

// The element as the page shows it on its side: its start tag with the
// first attributes, how much was left out.
std::string ElementSummary(const MOKLightXmlElement& element) {
  std::string text = "<" + element.GetName().GetText();
  const std::size_t attributes = element.GetAttributeCount();
  for (std::size_t i = 0; i < attributes && i < ReducedTree::kContextAttributes;
       ++i) {
    std::size_t length = 0;
    const char* value = element.GetAttributeTextAt(i, &length);
    text += " " + element.GetAttributeNameAt(i).GetText() + "=\"" +
            ShownText(value, length, ReducedTree::kContextValueBytes) + "\"";
  }
  if (attributes > ReducedTree::kContextAttributes)
    text += " +" +
            std::to_string(attributes - ReducedTree::kContextAttributes) +
            " attributes";
  text += ">";
  const std::size_t children = element.GetChildCount();
  if (children > 0)
    text += " (" + std::to_string(children) +
            (children == 1 ? " child)" : " children)");
  return text;
}

bool StandsForReferenceChild(VisuXMLDifferenceKind kind) {
  return kind == VisuXMLDifferenceKind::MarkupNotInOutput ||
         kind == VisuXMLDifferenceKind::NameMismatch;
}

}  // namespace

DumpRecord::DumpRecord(std::string referenceName, std::string outputName,
                       DifferenceSink* next)
    : _ReferenceName(std::move(referenceName)),
      _OutputName(std::move(outputName)),
      _pNext(next) {}

void DumpRecord::Locate(const VisuXMLDifference& difference,
                        const VisuXMLDifferencePlace& place) {
  _Pending = PageDifference();
  _PendingElement = _Tree.Enter(place.Levels());
  _PendingStandsForChild = StandsForReferenceChild(difference._Kind);
  if (difference._pAttributeName != nullptr)
    ShowAttribute(difference);
  else
    ShowElements(difference);
  _Located = true;
}

void DumpRecord::ShowAttribute(const VisuXMLDifference& difference) {
  const std::string& name = difference._pAttributeName->GetText();
  _Pending.step = "@" + name;
  _Tree.MarkAttribute(_PendingElement, name);
  const struct {
    const MOKLightXmlElement* element;
    std::string& shown;
    bool& present;
  } sides[] = {
      {difference._pReference, _Pending.reference, _Pending.inReference},
      {difference._pOutput, _Pending.output, _Pending.inOutput}};
  for (const auto& side : sides) {
    std::size_t length = 0;
    const char* value = side.element == nullptr
                            ? nullptr
                            : _Finder.Find(*side.element, name, length);
    side.present = value != nullptr;
    if (side.present) side.shown = ShownText(value, length, kShownValueBytes);
  }
}

void DumpRecord::ShowElements(const VisuXMLDifference& difference) {
  _Pending.inReference = difference._pReference != nullptr;
  _Pending.inOutput = difference._pOutput != nullptr;
  if (_Pending.inReference)
    _Pending.reference = ElementSummary(*difference._pReference);
  if (_Pending.inOutput) _Pending.output = ElementSummary(*difference._pOutput);
}

void DumpRecord::Take(const FoundDifference& difference) {
  PageDifference shown = _Located ? std::move(_Pending) : PageDifference();
  const std::size_t element =
      _Located ? _PendingElement : ReducedTree::kNoElement;
  shown.found = difference;
  if (element == ReducedTree::kNoElement)
    shown.step = difference.path;
  else if (shown.step.empty())
    shown.step = difference.path.substr(difference.path.rfind('/') + 1);
  _Tree.AddDifference(element, _Differences.size(),
                      _Located && _PendingStandsForChild);
  _Differences.push_back(std::move(shown));
  _Located = false;
  if (_pNext != nullptr) _pNext->Take(difference);
}

void DumpRecord::Conclude(DumpOutcome outcome, const DifferenceTally& tally,
                          const std::string& trouble) {
  _Outcome = outcome;
  _Tally = tally;
  _Trouble = trouble;
  _Tree.ForgetReference();
  _pNext = nullptr;
}
