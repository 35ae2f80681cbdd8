#include "VisuXMLDocumentWriter.h"

#include "MOKFile.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"

namespace {

// A file that cannot be opened is left as it is: the document is already
// complete without the newline.
void AppendNewline(const MOKUnicodeString& path) {
  unsigned int descriptor = 0;
  if (MOKFOpen(&path, "a", &descriptor) < 0) return;
  const char newline = '\n';
  int written = 0;
  MOKFWrite(descriptor, &newline, 1, &written);
  MOKFClose(descriptor);
}

}  // namespace

int VisuXMLWriteDocument(const MOKLightXmlElement& tree,
                         const MOKUnicodeString& path,
                         unsigned char appendNewline, std::string* reason) {
  // Declared in this order so that they are destroyed formatter first,
  // then output file, then parser, after the newline went in.
  MOKLightXmlParser parser;
  MOKLightXmlOutputFile outputFile(path);
  MOKLightXmlOutputFormatter formatter(outputFile);
  const int written = parser.GetXml(tree, formatter);
  // After a failed write the file under that name is the previous document,
  // which must stay exactly as it was.
  if (appendNewline != 0 && written != 0) AppendNewline(path);
  if (written == 0 && reason != nullptr) {
    *reason = outputFile.GetFailureReason();
    if (reason->empty()) *reason = "the writer failed";
  }
  return written;
}
