#include "DocumentInput.h"

#include <unistd.h>

#include <new>
#include <utility>

#include "CompareOptions.h"
#include "DescriptorInputStream.h"
#include "compare/VisuXMLTreeReading.h"

namespace {

// The stream's own reason comes first: the reader only knows that it could
// not read.
bool ReadStandardInput(MOKLightXmlElement& tree, std::string& reason) {
  DescriptorInputStream input(STDIN_FILENO);
  if (VisuXMLReadTree(input, tree, &reason)) return true;
  if (!input.GetFailureReason().empty()) reason = input.GetFailureReason();
  return false;
}

}  // namespace

ComparedDocument ReadComparedDocument(const std::string& name) {
  ComparedDocument document;
  MOKLightXmlElement tree;
  const bool read = name == kStandardInputName
                        ? ReadStandardInput(tree, document.reason)
                        : VisuXMLReadTree(MOKUnicodeString(name.c_str()), tree,
                                          &document.reason);
  if (read) document.reason.clear();
  document.file.reset(
      VisuXMLTreeReading::NewFileHolding(std::move(tree), read));
  if (document.file == nullptr ||
      (read && VisuXMLTreeReading::RootOf(*document.file) == nullptr))
    throw std::bad_alloc();
  return document;
}
