#ifndef DocumentInput_h
#define DocumentInput_h

#include <memory>
#include <string>

#include "VisuXMLFile.h"

// One side of a comparison, read once.
struct ComparedDocument {
  // Holds the tree; holds none (not valid) when the document was not read.
  std::unique_ptr<VisuXMLFile> file;
  // Why the document was not read; empty when it was.
  std::string reason;
};

// Reads the file of that name, standard input for "-". Throws
// std::bad_alloc when memory runs out.
ComparedDocument ReadComparedDocument(const std::string& name);

#endif
