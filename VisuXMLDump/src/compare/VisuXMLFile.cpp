#include "VisuXMLFile.h"

#include <new>
#include <utility>

#include "VisuXMLNoThrow.h"
#include "compare/NothrowStack.h"
#include "compare/VisuXMLTreeReading.h"

namespace {

// One element whose children the search is still going through.
struct SearchFrame {
  MOKLightXmlElementItf* _pElement;
  void* _pCookie;
};

}  // namespace

// A file that cannot be read whole, memory running out included, leaves
// no tree: the file is then not valid.
VisuXMLFile::VisuXMLFile(const MOKUnicodeString& path)
    : _pRootElement(nullptr) {
  _pRootElement = VisuXMLGuard<MOKLightXmlElement*>(
      nullptr, [&path]() -> MOKLightXmlElement* {
        MOKLightXmlElement parsed;
        // The parsed tree is handed over, not copied: documents can be large.
        if (!VisuXMLReadTree(path, parsed, nullptr)) return nullptr;
        return new (std::nothrow) MOKLightXmlElement(std::move(parsed));
      });
}

// The copy throws when the host's strings or child lists run out of memory;
// the partial copy is then undone and the file is not valid.
VisuXMLFile::VisuXMLFile(const MOKLightXmlElement& element)
    : _pRootElement(VisuXMLGuard<MOKLightXmlElement*>(nullptr, [&element]() {
        return new (std::nothrow) MOKLightXmlElement(element);
      })) {}

VisuXMLFile::~VisuXMLFile() {
  delete _pRootElement;
  _pRootElement = nullptr;
}

unsigned char VisuXMLFile::IsFileValid() {
  return _pRootElement != nullptr ? 1 : 0;
}

// Like a search stack that cannot grow, running out of memory answers 1.
unsigned char VisuXMLFile::SearchForMarkup(const MOKUnicodeString& name) {
  return VisuXMLGuard<unsigned char>(1, [this, &name]() {
    return RecursiveSearchForMarkup(_pRootElement, name);
  });
}

// Depth first, each element before its children, with an explicit stack:
// nesting depth costs heap, not call stack. When memory for the stack runs
// out the search answers 1: the replay looks for error elements this way
// and must refuse to compare rather than miss one.
unsigned char VisuXMLFile::RecursiveSearchForMarkup(
    MOKLightXmlElementItf* element, const MOKUnicodeString& name) {
  if (element == nullptr) return 0;
  if (element->GetName().Compare(name) == 2) return 1;
  if (element->GetChildren() == nullptr) return 0;
  NothrowStack<SearchFrame> stack;
  if (!stack.Push(SearchFrame{element, element->GetChildren()})) return 1;
  while (!stack.IsEmpty()) {
    SearchFrame& top = stack.Top();
    MOKLightXmlElementItf* child = top._pElement->GetChild(top._pCookie);
    if (child == nullptr) {
      stack.Pop();
    } else if (child->GetName().Compare(name) == 2) {
      return 1;
    } else if (child->GetChildren() != nullptr &&
               !stack.Push(SearchFrame{child, child->GetChildren()})) {
      return 1;
    }
  }
  return 0;
}
