#include "VisuXMLFile.h"

#include <new>
#include <utility>

#include "MOKLightXmlInputFile.h"
#include "MOKLightXmlParser.h"

namespace {

// One element whose children the search is still going through; the
// frames form a stack, so that nesting depth costs heap, not call stack.
struct SearchFrame {
  SearchFrame(MOKLightXmlElementItf* element, SearchFrame* below)
      : _pElement(element), _pCookie(element->GetChildren()), _pBelow(below) {}

  MOKLightXmlElementItf* _pElement;
  void* _pCookie;
  SearchFrame* _pBelow;
};

SearchFrame* PopSearchFrame(SearchFrame* top) {
  SearchFrame* below = top->_pBelow;
  delete top;
  return below;
}

}  // namespace

VisuXMLFile::VisuXMLFile(const MOKUnicodeString& path)
    : _pRootElement(nullptr) {
  MOKLightXmlInputFile input(path);
  MOKLightXmlParser parser;
  MOKLightXmlElement parsed;
  // The parsed tree is handed over, not copied: documents can be large.
  if (parser.Parse(input, parsed) == 1)
    _pRootElement = new (std::nothrow) MOKLightXmlElement(std::move(parsed));
}

VisuXMLFile::VisuXMLFile(const MOKLightXmlElement& element)
    : _pRootElement(new (std::nothrow) MOKLightXmlElement(element)) {}

VisuXMLFile::~VisuXMLFile() {
  delete _pRootElement;
  _pRootElement = nullptr;
}

unsigned char VisuXMLFile::IsFileValid() {
  return _pRootElement != nullptr ? 1 : 0;
}

unsigned char VisuXMLFile::SearchForMarkup(const MOKUnicodeString& name) {
  return RecursiveSearchForMarkup(_pRootElement, name);
}

// Depth first, each element before its children, with an explicit stack.
// Running out of memory for the stack ends the search with 0.
unsigned char VisuXMLFile::RecursiveSearchForMarkup(
    MOKLightXmlElementItf* element, const MOKUnicodeString& name) {
  if (element == nullptr) return 0;
  if (element->GetName().Compare(name) == 2) return 1;
  unsigned char found = 0;
  SearchFrame* top = new (std::nothrow) SearchFrame(element, nullptr);
  while (top != nullptr && found == 0) {
    MOKLightXmlElementItf* child = top->_pElement->GetChild(top->_pCookie);
    if (child == nullptr) {
      top = PopSearchFrame(top);
    } else if (child->GetName().Compare(name) == 2) {
      found = 1;
    } else if (child->GetChildren() != nullptr) {
      SearchFrame* pushed = new (std::nothrow) SearchFrame(child, top);
      if (pushed == nullptr) break;
      top = pushed;
    }
  }
  while (top != nullptr) top = PopSearchFrame(top);
  return found;
}

unsigned char VisuXMLFile::Compare(VisuXMLFile* output,
                                   MOKLightXmlElement& result) {
  unsigned int errorCount = 0;
  if (_pRootElement == nullptr || output == nullptr ||
      output->_pRootElement == nullptr)
    return 1;
  RecursiveComparison(_pRootElement, output->_pRootElement, result,
                      errorCount);
  return errorCount == 0 ? 1 : 0;
}
