#include <memory>
#include <new>
#include <utility>

#include "VisuXMLFile.h"
#include "compare/VisuXMLFileChains.h"

namespace {

// A pair of equally named elements whose children are being compared. The
// frames form a stack, so that nesting depth costs heap, not call stack;
// each frame builds the pair's result element, which moves into the result
// element below it (or into the caller's) once the pair is done.
struct ComparisonFrame {
  ComparisonFrame(MOKLightXmlElement* reference, MOKLightXmlElement* output,
                  ComparisonFrame* below)
      : _pReference(reference),
        _pOutput(output),
        _Result(reference->GetName()),
        _pReferenceCookie(reference->GetChildren()),
        _pOutputCookie(output->GetChildren()),
        _pBelow(below) {}

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
    return true;
  }

  MOKLightXmlElement* _pReference;
  MOKLightXmlElement* _pOutput;
  MOKLightXmlElement _Result;
  void* _pReferenceCookie;
  void* _pOutputCookie;
  ComparisonFrame* _pBelow;
};

// The frames still open, freed when the walk ends however it ends: the
// hooks and the result elements may run out of memory and throw.
class OpenFrames {
 public:
  OpenFrames() = default;
  ~OpenFrames() {
    while (_pTop != nullptr) {
      ComparisonFrame* const done = _pTop;
      _pTop = done->_pBelow;
      delete done;
    }
  }
  OpenFrames(const OpenFrames&) = delete;
  OpenFrames& operator=(const OpenFrames&) = delete;

  ComparisonFrame* _pTop = nullptr;
};

bool IsChainIncomplete(const void* chain, const MOKLightXmlElement* element) {
  return chain == nullptr && element->GetChildren() != nullptr;
}

}  // namespace

// Walks the pair and everything below it with an explicit stack of frames
// instead of recursion, calling the hooks and adding results and errors in
// the order a depth-first recursion would.
void VisuXMLFile::RecursiveComparison(MOKLightXmlElement* reference,
                                      MOKLightXmlElement* output,
                                      MOKLightXmlElement& result,
                                      unsigned int& errorCount) {
  if (reference == nullptr || output == nullptr) return;
  OpenFrames frames;
  ComparisonFrame*& top = frames._pTop;
  do {
    MOKLightXmlElement& parent = top != nullptr ? top->_Result : result;
    StartMarkupComparison(reference, output);
    ComparisonFrame* opened = nullptr;
    if (reference->GetName().Compare(output->GetName()) != 2) {
      MOKLightXmlElement error;
      LogErrorOnMarkup(VisuXMLMarkupNameMismatch, reference, output, error);
      parent.AddChild(std::move(error));
      ++errorCount;
    } else if ((opened = new (std::nothrow)
                    ComparisonFrame(reference, output, top)) != nullptr) {
      top = opened;
      AttributesComparison(reference, output, opened->_Result, errorCount);
    } else {
      AddUncomparedError(parent, errorCount);
    }
    if (opened == nullptr) EndMarkupComparison(reference, output);
    while (top != nullptr && !top->NextPair(reference, output)) {
      ComparisonFrame* const done = top;
      ChildrenComparison(done->_pReference, done->_pOutput, done->_Result,
                         errorCount);
      (done->_pBelow != nullptr ? done->_pBelow->_Result : result)
          .AddChild(std::move(done->_Result));
      top = done->_pBelow;
      const std::unique_ptr<ComparisonFrame> finished(done);
      EndMarkupComparison(done->_pReference, done->_pOutput);
    }
  } while (top != nullptr);
}

// The walk has already compared the children pair by pair; this reports
// those left over on the longer side: first the reference's, then the
// output's.
void VisuXMLFile::ChildrenComparison(MOKLightXmlElement* reference,
                                     MOKLightXmlElement* output,
                                     MOKLightXmlElement& result,
                                     unsigned int& errorCount) {
  if (reference == nullptr || output == nullptr) return;
  // Equally many children on both sides: every one was paired.
  if (reference->GetChildCount() == output->GetChildCount()) return;
  const OwnedChain<VisuXMLChildrenChain> referenceChain(
      BuildChildrenChain(reference));
  const OwnedChain<VisuXMLChildrenChain> outputChain(
      BuildChildrenChain(output));
  if (IsChainIncomplete(referenceChain.Get(), reference) ||
      IsChainIncomplete(outputChain.Get(), output)) {
    AddUncomparedError(result, errorCount);
    return;
  }
  VisuXMLChildrenChain::MatchByPosition(referenceChain.Get(),
                                        outputChain.Get());
  if (referenceChain.Get() != nullptr)
    referenceChain.Get()->ReportUnmatched(*this, true, result, errorCount);
  if (outputChain.Get() != nullptr)
    outputChain.Get()->ReportUnmatched(*this, false, result, errorCount);
}

// Null for a null element or one without children, and when memory runs
// out: a partial chain would pair the wrong children.
VisuXMLFile::VisuXMLChildrenChain* VisuXMLFile::BuildChildrenChain(
    MOKLightXmlElement* element) {
  if (element == nullptr || element->GetChildCount() == 0) return nullptr;
  VisuXMLChildrenChain* head =
      NewChainBlock<VisuXMLChildrenChain>(element->GetChildCount());
  if (head == nullptr) return nullptr;
  VisuXMLChildrenChain* entry = head;
  void* cookie = element->GetChildren();
  while (MOKLightXmlElementItf* child = element->GetChild(cookie)) {
    // Children of a host element are host elements.
    entry->_pChild = static_cast<MOKLightXmlElement*>(child);
    entry = entry->_pNext;
  }
  return head;
}

void VisuXMLFile::VisuXMLChildrenChain::MatchByPosition(
    VisuXMLChildrenChain* reference, VisuXMLChildrenChain* output) {
  for (; reference != nullptr && output != nullptr;
       reference = reference->_pNext, output = output->_pNext)
    reference->_Matched = output->_Matched = true;
}

void VisuXMLFile::VisuXMLChildrenChain::ReportUnmatched(
    VisuXMLFile& file, bool asReference, MOKLightXmlElement& result,
    unsigned int& errorCount) {
  for (VisuXMLChildrenChain* entry = this; entry != nullptr;
       entry = entry->_pNext) {
    if (entry->_Matched) continue;
    MOKLightXmlElement error;
    if (asReference)
      file.LogErrorOnMarkup(VisuXMLSubMarkupNotInOutput, entry->_pChild,
                            nullptr, error);
    else
      file.LogErrorOnMarkup(VisuXMLSubMarkupNotInReference, nullptr,
                            entry->_pChild, error);
    result.AddChild(std::move(error));
    ++errorCount;
  }
}
