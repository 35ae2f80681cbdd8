#include "compare/VisuXMLComparisonWalk.h"

#include <memory>
#include <new>
#include <utility>

#include "VisuXMLNoThrow.h"
#include "VisuXMLVocabulary.h"
#include "compare/AttributeNameIndex.h"
#include "compare/NamesakeCounter.h"
#include "compare/VisuXMLFileChains.h"

namespace {

const char* const kNumberFormat = "%le";
// Up to this many output attributes a walk of the chain per reference
// attribute costs less than building an index by name.
const std::size_t kLinearPairingLimit = 16;

bool SameText(const char* first, std::size_t firstLength, const char* second,
              std::size_t secondLength) {
  return firstLength == secondLength &&
         (firstLength == 0 || std::memcmp(first, second, firstLength) == 0);
}

bool ReadNumber(const char* text, std::size_t length, double& number) {
  number = 0.0;
  return MOKUnicodeString(text, length).ConvertToNum(&number, kNumberFormat) !=
         0;
}

bool IsChainIncomplete(const void* chain, std::size_t entries) {
  return chain == nullptr && entries != 0;
}

VisuXMLDifferenceKind KindOf(VisuXMLFile::_VisuXMLMarkupError error) {
  switch (error) {
    case VisuXMLFile::VisuXMLMarkupNameMismatch:
      return VisuXMLDifferenceKind::NameMismatch;
    case VisuXMLFile::VisuXMLSubMarkupNotInOutput:
      return VisuXMLDifferenceKind::MarkupNotInOutput;
    default:
      return VisuXMLDifferenceKind::MarkupNotInReference;
  }
}

VisuXMLDifferenceKind KindOf(VisuXMLFile::_VisuXMLAttributeError error) {
  switch (error) {
    case VisuXMLFile::VisuXMLAttributeValueChanged:
      return VisuXMLDifferenceKind::ValueChanged;
    case VisuXMLFile::VisuXMLAttributeNotInOutput:
      return VisuXMLDifferenceKind::AttributeNotInOutput;
    default:
      return VisuXMLDifferenceKind::AttributeNotInReference;
  }
}

}  // namespace

// A pair of equally named elements whose children are being compared. The
// frames form a stack; each builds the pair's result element, which moves
// into the result element below it (or into the caller's) once the pair
// is done.
struct VisuXMLComparisonWalk::Frame {
  Frame(MOKLightXmlElement* reference, MOKLightXmlElement* output, Frame* below,
        std::size_t indexInParent)
      : _pReference(reference),
        _pOutput(output),
        _Result(reference->GetName()),
        _pReferenceCookie(reference->GetChildren()),
        _pOutputCookie(output->GetChildren()),
        _pBelow(below),
        _uiIndexInParent(indexInParent) {}

  // The next children pair by position; false once either side ran out.
  bool NextPair(MOKLightXmlElement*& reference, MOKLightXmlElement*& output) {
    MOKLightXmlElementItf* referenceChild =
        _pReference->GetChild(_pReferenceCookie);
    MOKLightXmlElementItf* outputChild = _pOutput->GetChild(_pOutputCookie);
    if (referenceChild == nullptr || outputChild == nullptr) {
      _pReferenceCookie = _pOutputCookie = nullptr;
      return false;
    }
    // Children of a host element are host elements.
    reference = static_cast<MOKLightXmlElement*>(referenceChild);
    output = static_cast<MOKLightXmlElement*>(outputChild);
    ++_uiPairs;
    return true;
  }

  // The step of the child at that index of one side, in XPath form.
  std::string ChildStep(bool referenceSide, std::size_t index) const {
    const MOKLightXmlElement& parent = referenceSide ? *_pReference : *_pOutput;
    NamesakeCounter& counter = referenceSide ? _ReferenceNames : _OutputNames;
    return parent.GetChildAt(index)->GetName().GetText() + "[" +
           std::to_string(counter.PositionOf(parent, index)) + "]";
  }

  // This pair's own step, worked out once.
  const std::string& Step() const {
    if (_Step.empty())
      _Step = _pBelow == nullptr ? _pReference->GetName().GetText()
                                 : _pBelow->ChildStep(true, _uiIndexInParent);
    return _Step;
  }

  MOKLightXmlElement* _pReference;
  MOKLightXmlElement* _pOutput;
  MOKLightXmlElement _Result;
  void* _pReferenceCookie;
  void* _pOutputCookie;
  Frame* _pBelow;
  std::size_t _uiIndexInParent;
  // Pairs of children handed out so far.
  std::size_t _uiPairs = 0;
  mutable std::string _Step;
  mutable NamesakeCounter _ReferenceNames;
  mutable NamesakeCounter _OutputNames;
};

// A difference's place: an attribute of the innermost pair, the pair
// itself, or one child of it on one side.
class VisuXMLComparisonWalk::Place : public VisuXMLDifferencePlace {
 public:
  static Place OfPair(const Frame* frame) { return Place(frame); }
  static Place OfAttribute(const Frame* frame, const MOKUnicodeString* name) {
    Place place(frame);
    place._pAttributeName = name;
    return place;
  }
  // A child of the frame's pair, or a root when there is no frame.
  static Place OfChild(const Frame* frame, bool referenceSide,
                       std::size_t index, const MOKLightXmlElement* child) {
    Place place(frame);
    place._pChild = child;
    place._ReferenceSide = referenceSide;
    place._uiIndex = index;
    return place;
  }

  std::string XPath() const override {
    std::string path;
    for (const VisuXMLPlaceLevel& level : Levels()) path += "/" + level._Step;
    if (_pChild != nullptr)
      path += "/" + (_pFrame != nullptr
                         ? _pFrame->ChildStep(_ReferenceSide, _uiIndex)
                         : _pChild->GetName().GetText());
    if (_pAttributeName != nullptr) path += "/@" + _pAttributeName->GetText();
    return path.empty() ? "/" : path;
  }

  std::vector<VisuXMLPlaceLevel> Levels() const override {
    std::vector<const Frame*> frames;
    for (const Frame* frame = _pFrame; frame != nullptr; frame = frame->_pBelow)
      frames.push_back(frame);
    std::vector<VisuXMLPlaceLevel> levels;
    levels.reserve(frames.size());
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame)
      levels.push_back(VisuXMLPlaceLevel{(*frame)->_pReference,
                                         (*frame)->_pOutput, (*frame)->Step()});
    return levels;
  }

 private:
  explicit Place(const Frame* frame) : _pFrame(frame) {}

  const Frame* _pFrame;
  const MOKLightXmlElement* _pChild = nullptr;
  bool _ReferenceSide = true;
  std::size_t _uiIndex = 0;
  const MOKUnicodeString* _pAttributeName = nullptr;
};

// How two values of one attribute compared.
struct VisuXMLComparisonWalk::Values {
  bool _Agree;
  bool _ComparedAsNumbers;
  double _Reference;
  double _Output;
};

void VisuXMLDifferenceListener::OnNumbersCompared(
    const MOKUnicodeString&, double, double, const VisuXMLDifferencePlace&) {}

VisuXMLComparisonWalk::VisuXMLComparisonWalk(
    VisuXMLFile& file, const VisuXMLComparisonSettings& settings,
    VisuXMLDifferenceListener* listener, unsigned int& errorCount)
    : _File(file),
      _Settings(settings),
      _pListener(listener),
      _uiErrorCount(errorCount),
      _pTop(nullptr) {}

// Frames still open when the walk ends early: the hooks and the result
// elements may run out of memory and throw.
VisuXMLComparisonWalk::~VisuXMLComparisonWalk() {
  while (_pTop != nullptr) {
    Frame* const done = _pTop;
    _pTop = done->_pBelow;
    delete done;
  }
}

unsigned char VisuXMLComparisonWalk::Compare(
    VisuXMLFile& reference, VisuXMLFile* output, MOKLightXmlElement& result,
    const VisuXMLComparisonSettings& settings,
    VisuXMLDifferenceListener* listener, unsigned int* count) {
  unsigned int errorCount = 0;
  if (count != nullptr) *count = 0;
  if (reference._pRootElement == nullptr || output == nullptr ||
      output->_pRootElement == nullptr)
    return 1;
  // A walk cut short by running out of memory is not an agreement: it
  // counts as an uncompared pair, reported in result when memory allows.
  const bool walked = VisuXMLGuard(false, [&]() {
    VisuXMLComparisonWalk walk(reference, settings, listener, errorCount);
    walk.ComparePair(reference._pRootElement, output->_pRootElement, result);
    return true;
  });
  if (!walked) {
    ++errorCount;
    VisuXMLGuard(false, [&]() {
      unsigned int ignored = 0;
      VisuXMLComparisonWalk walk(reference, settings, listener, ignored);
      walk.AddUncompared(result, Place::OfPair(nullptr));
      return true;
    });
  }
  if (count != nullptr) *count = errorCount;
  return errorCount == 0 ? 1 : 0;
}

std::size_t VisuXMLComparisonWalk::CurrentPairIndex() const {
  return _pTop != nullptr && _pTop->_uiPairs > 0 ? _pTop->_uiPairs - 1 : 0;
}

// Hooks are called and results and errors added in the order a depth-first
// recursion would.
void VisuXMLComparisonWalk::ComparePair(MOKLightXmlElement* reference,
                                        MOKLightXmlElement* output,
                                        MOKLightXmlElement& parent) {
  if (reference == nullptr || output == nullptr) return;
  Frame* const base = _pTop;
  do {
    MOKLightXmlElement& into = _pTop != base ? _pTop->_Result : parent;
    const Place pairPlace =
        Place::OfChild(_pTop, true, CurrentPairIndex(), reference);
    _File.StartMarkupComparison(reference, output);
    Frame* opened = nullptr;
    if (reference->GetName().Compare(output->GetName()) != 2) {
      AddMarkupError(VisuXMLFile::VisuXMLMarkupNameMismatch, reference, output,
                     into, pairPlace);
    } else if ((opened = new (std::nothrow) Frame(
                    reference, output, _pTop, CurrentPairIndex())) != nullptr) {
      _pTop = opened;
      CompareAttributes(reference, output, opened->_Result);
    } else {
      AddUncompared(into, pairPlace);
    }
    if (opened == nullptr) _File.EndMarkupComparison(reference, output);
    while (_pTop != base && !_pTop->NextPair(reference, output)) {
      Frame* const done = _pTop;
      ReportUnpairedChildren(done->_pReference, done->_pOutput, done->_Result);
      (done->_pBelow != base ? done->_pBelow->_Result : parent)
          .AddChild(std::move(done->_Result));
      _pTop = done->_pBelow;
      const std::unique_ptr<Frame> finished(done);
      _File.EndMarkupComparison(done->_pReference, done->_pOutput);
    }
  } while (_pTop != base);
}

// The walk has already compared the children pair by pair; this reports
// those left over on the longer side.
void VisuXMLComparisonWalk::ReportUnpairedChildren(
    MOKLightXmlElement* reference, MOKLightXmlElement* output,
    MOKLightXmlElement& result) {
  if (reference == nullptr || output == nullptr) return;
  // Equally many children on both sides: every one was paired.
  if (reference->GetChildCount() == output->GetChildCount()) return;
  const OwnedChain<ChildrenChain> referenceChain(
      _File.BuildChildrenChain(reference));
  const OwnedChain<ChildrenChain> outputChain(_File.BuildChildrenChain(output));
  if (IsChainIncomplete(referenceChain.Get(), reference->GetChildCount()) ||
      IsChainIncomplete(outputChain.Get(), output->GetChildCount())) {
    AddUncompared(result, Place::OfPair(_pTop));
    return;
  }
  ChildrenChain::MatchByPosition(referenceChain.Get(), outputChain.Get());
  ReportUnmatchedChildren(referenceChain.Get(), true, result);
  ReportUnmatchedChildren(outputChain.Get(), false, result);
}

void VisuXMLComparisonWalk::ReportUnmatchedChildren(
    ChildrenChain* chain, bool referenceSide, MOKLightXmlElement& result) {
  std::size_t index = 0;
  for (ChildrenChain* entry = chain; entry != nullptr;
       entry = entry->_pNext, ++index) {
    if (entry->_Matched) continue;
    const Place place =
        Place::OfChild(_pTop, referenceSide, index, entry->_pChild);
    if (referenceSide)
      AddMarkupError(VisuXMLFile::VisuXMLSubMarkupNotInOutput, entry->_pChild,
                     nullptr, result, place);
    else
      AddMarkupError(VisuXMLFile::VisuXMLSubMarkupNotInReference, nullptr,
                     entry->_pChild, result, place);
  }
}

void VisuXMLComparisonWalk::CompareAttributes(MOKLightXmlElement* reference,
                                              MOKLightXmlElement* output,
                                              MOKLightXmlElement& result) {
  if (reference == nullptr || output == nullptr) return;
  if (reference->HasSameAttributeNames(*output))
    CompareAligned(reference, output, result);
  else
    PairAttributes(reference, output, result);
}

// The usual case of a replay: both elements carry the same names in the
// same order, so attribute i pairs with attribute i, nothing is left
// unpaired, and the result carries exactly the output's attributes, which
// it shares instead of copying.
void VisuXMLComparisonWalk::CompareAligned(MOKLightXmlElement* reference,
                                           MOKLightXmlElement* output,
                                           MOKLightXmlElement& result) {
  result.ShareAttributesOf(*output);
  const std::size_t count = reference->GetAttributeCount();
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t referenceLength = 0;
    std::size_t outputLength = 0;
    const char* referenceValue =
        reference->GetAttributeTextAt(i, &referenceLength);
    const char* outputValue = output->GetAttributeTextAt(i, &outputLength);
    const MOKUnicodeString& name = reference->GetAttributeNameAt(i);
    const Values values = CompareValues(name, referenceValue, referenceLength,
                                        outputValue, outputLength);
    if (!values._Agree)
      AddAttributeError(VisuXMLFile::VisuXMLAttributeValueChanged, reference,
                        output, &name, result, &values);
  }
}

// Attributes paired by name, each reference attribute with the first
// output attribute of its name not yet paired.
void VisuXMLComparisonWalk::PairAttributes(MOKLightXmlElement* reference,
                                           MOKLightXmlElement* output,
                                           MOKLightXmlElement& result) {
  const OwnedChain<AttributesChain> referenceOwner(
      _File.BuildAttributesChain(reference));
  const OwnedChain<AttributesChain> outputOwner(
      _File.BuildAttributesChain(output));
  AttributesChain* const referenceChain = referenceOwner.Get();
  AttributesChain* const outputChain = outputOwner.Get();
  if (IsChainIncomplete(referenceChain, reference->GetAttributeCount()) ||
      IsChainIncomplete(outputChain, output->GetAttributeCount())) {
    AddUncompared(result, Place::OfPair(_pTop));
    return;
  }
  // Without the index (few attributes, or no memory for it) each reference
  // attribute walks the output chain, which is quadratic in the worst case.
  AttributeNameIndex<AttributesChain> index;
  if (output->GetAttributeCount() > kLinearPairingLimit)
    index.Build(outputChain, output->GetAttributeCount());
  // Every attribute set on result comes from a distinct output entry, so
  // distinct output names on a result without attributes are all new.
  const bool append = index.IsBuilt() && !index.HasRepeatedName() &&
                      result.GetAttributeCount() == 0;
  for (AttributesChain* entry = referenceChain;
       entry != nullptr && outputChain != nullptr; entry = entry->_pNext) {
    AttributesChain* partner = index.IsBuilt()
                                   ? index.Take(*entry->_pName)
                                   : outputChain->FindUnmatched(*entry->_pName);
    if (partner == nullptr) continue;
    // Set before the values are compared: the result shows the output's.
    partner->CopyOnto(result, append);
    const Values values =
        CompareValues(*entry->_pName, entry->_pValue, entry->_uiLength,
                      partner->_pValue, partner->_uiLength);
    if (!values._Agree)
      AddAttributeError(VisuXMLFile::VisuXMLAttributeValueChanged, reference,
                        output, entry->_pName, result, &values);
    entry->_Matched = partner->_Matched = true;
  }
  ReportUnmatchedAttributes(referenceChain,
                            VisuXMLFile::VisuXMLAttributeNotInOutput, reference,
                            output, result, append);
  ReportUnmatchedAttributes(outputChain,
                            VisuXMLFile::VisuXMLAttributeNotInReference,
                            reference, output, result, append);
}

// An unmatched attribute whose value was never set causes nothing at all.
void VisuXMLComparisonWalk::ReportUnmatchedAttributes(
    AttributesChain* chain, VisuXMLFile::_VisuXMLAttributeError error,
    MOKLightXmlElement* reference, MOKLightXmlElement* output,
    MOKLightXmlElement& result, bool append) {
  for (AttributesChain* entry = chain; entry != nullptr;
       entry = entry->_pNext) {
    if (entry->_Matched || entry->IsUnset()) continue;
    if (error == VisuXMLFile::VisuXMLAttributeNotInReference)
      entry->CopyOnto(result, append);
    AddAttributeError(error, reference, output, entry->_pName, result, nullptr);
  }
}

// Values are read as numbers only when they differ as text and the
// attribute is real.
VisuXMLComparisonWalk::Values VisuXMLComparisonWalk::CompareValues(
    const MOKUnicodeString& name, const char* reference,
    std::size_t referenceLength, const char* output, std::size_t outputLength) {
  Values values{true, false, 0.0, 0.0};
  if (SameText(reference, referenceLength, output, outputLength)) return values;
  values._Agree = false;
  if (!_Settings.IsReal(name) ||
      !ReadNumber(reference, referenceLength, values._Reference) ||
      !ReadNumber(output, outputLength, values._Output))
    return values;
  values._ComparedAsNumbers = true;
  values._Agree = _Settings._Tolerance.Agree(values._Reference, values._Output);
  if (_pListener != nullptr)
    _pListener->OnNumbersCompared(name, values._Reference, values._Output,
                                  Place::OfAttribute(_pTop, &name));
  return values;
}

void VisuXMLComparisonWalk::AddAttributeError(
    VisuXMLFile::_VisuXMLAttributeError error, MOKLightXmlElement* reference,
    MOKLightXmlElement* output, const MOKUnicodeString* name,
    MOKLightXmlElement& result, const Values* values) {
  MOKLightXmlElement errorElement;
  _File.LogErrorOnAttribute(error, reference, output, name, errorElement);
  if (_pListener != nullptr) {
    const bool numbers = values != nullptr && values->_ComparedAsNumbers;
    Tell(VisuXMLDifference{KindOf(error), reference, output, name,
                           &errorElement.GetValue(), numbers,
                           numbers ? values->_Reference : 0.0,
                           numbers ? values->_Output : 0.0},
         Place::OfAttribute(_pTop, name));
  }
  result.AddChild(std::move(errorElement));
  ++_uiErrorCount;
}

void VisuXMLComparisonWalk::AddMarkupError(
    VisuXMLFile::_VisuXMLMarkupError error, MOKLightXmlElement* reference,
    MOKLightXmlElement* output, MOKLightXmlElement& result,
    const Place& place) {
  MOKLightXmlElement errorElement;
  _File.LogErrorOnMarkup(error, reference, output, errorElement);
  Tell(VisuXMLDifference{KindOf(error), reference, output, nullptr,
                         &errorElement.GetValue(), false, 0.0, 0.0},
       place);
  result.AddChild(std::move(errorElement));
  ++_uiErrorCount;
}

// Stands for a pair whose comparison could not be completed because memory
// ran out: an error element without text, counted like any difference, so
// that an incomplete comparison never passes for a successful one.
void VisuXMLComparisonWalk::AddUncompared(MOKLightXmlElement& result,
                                          const Place& place) {
  MOKLightXmlElement errorElement{
      MOKUnicodeString(VisuXMLVocabulary::kErrorElement)};
  Tell(VisuXMLDifference{VisuXMLDifferenceKind::Uncompared, nullptr, nullptr,
                         nullptr, &errorElement.GetValue(), false, 0.0, 0.0},
       place);
  result.AddChild(std::move(errorElement));
  ++_uiErrorCount;
}

void VisuXMLComparisonWalk::Tell(const VisuXMLDifference& difference,
                                 const Place& place) {
  if (_pListener != nullptr) _pListener->OnDifference(difference, place);
}
