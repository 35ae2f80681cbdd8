#ifndef LightXmlWriter_h
#define LightXmlWriter_h

#include <cstddef>
#include <string>
#include <vector>

#include "LightXmlText.h"
#include "MOKLightXmlElement.h"
#include "MOKLightXmlOutputStream.h"

// Lays an element tree out as a UTF-8 XML document, two spaces of
// indentation per level, without recursion.
//
// An element with both text and children is written compactly (no layout
// inside it), its text first behind an empty CDATA section: the reader
// keeps whitespace-only text only where such a section marks it as content.
class LightXmlWriter {
 public:
  explicit LightXmlWriter(MOKLightXmlOutputStream& output);

  // Writes the whole document; false when a write failed.
  bool WriteDocument(const MOKLightXmlElement& root);

 private:
  struct Frame {
    const MOKLightXmlElement* element;
    std::size_t nextChild;
    // Children follow one another without layout.
    bool compact;
  };

  void BeginElement(const MOKLightXmlElement& element, bool insideCompact);
  void EndElement(const Frame& frame);
  void WriteAttributes(const MOKLightXmlElement& element);
  void WriteRenamedAttributes(const MOKLightXmlElement& element);
  bool IsWrittenAsIs(const LightXmlName* name);
  void AppendName(const LightXmlName* name);
  void WriteAttributeValue(const MOKLightXmlElement& element,
                           std::size_t index);
  void WriteEndTag(const MOKLightXmlElement& element);
  void NewLine(std::size_t depth);
  void FlushIfFull();
  void Flush();

  MOKLightXmlOutputStream& _Output;
  XmlNameSanitizer _Names;
  std::vector<Frame> _Stack;
  std::string _Pending;
  bool _Failed;
};

#endif
