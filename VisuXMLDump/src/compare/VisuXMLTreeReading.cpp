#include "compare/VisuXMLTreeReading.h"

#include <new>
#include <utility>

#include "MOKLightXmlInputFile.h"
#include "MOKLightXmlParser.h"

bool VisuXMLReadTree(MOKLightXmlInputStream& input, MOKLightXmlElement& tree,
                     std::string* reason) {
  MOKLightXmlParser parser;
  if (parser.Parse(input, tree) == 1) return true;
  if (reason != nullptr) *reason = parser.GetLastError();
  return false;
}

// The file's own reason comes first: the parser only knows that it could
// not read.
bool VisuXMLReadTree(const MOKUnicodeString& path, MOKLightXmlElement& tree,
                     std::string* reason) {
  MOKLightXmlInputFile input(path);
  if (VisuXMLReadTree(input, tree, reason)) return true;
  if (reason != nullptr && !input.GetFailureReason().empty())
    *reason = input.GetFailureReason();
  return false;
}

// An empty path names no file: the file is made without touching the file
// system, and without root.
VisuXMLFile* VisuXMLTreeReading::NewFileHolding(MOKLightXmlElement&& tree,
                                                bool read) {
  VisuXMLFile* file = new (std::nothrow) VisuXMLFile(MOKUnicodeString());
  if (file == nullptr || !read) return file;
  file->_pRootElement = new (std::nothrow) MOKLightXmlElement(std::move(tree));
  return file;
}
