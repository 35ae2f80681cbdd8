#ifndef LightXmlTestSupport_h
#define LightXmlTestSupport_h

#include <algorithm>
#include <string>
#include <utility>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlInputFile.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"

// Serves a string to the parser in slices of a given size.
struct StringInput : MOKLightXmlInputStream {
  StringInput(std::string text, std::size_t slice) : text(std::move(text)), slice(slice) {}
  int IsValid() const override { return 1; }
  long Read(char* buffer, std::size_t size) override {
    const std::size_t count = text.copy(buffer, std::min(size, slice), at);
    at += count;
    return static_cast<long>(count);
  }
  std::string text;
  std::size_t slice, at = 0;
};

// Collects what is written; fails from write number failFrom on (never when
// 0) and refuses everything once committed.
struct StringOutput : MOKLightXmlOutputStream {
  explicit StringOutput(std::size_t failFrom = 0) : failFrom(failFrom) {}
  int IsValid() const override { return failed ? 0 : 1; }
  int Write(const char* data, std::size_t size) override {
    failed = failed || committed || ++writes == failFrom;
    if (!failed) text.append(data, size);
    return failed ? 0 : 1;
  }
  int Commit() override { return failed || committed ? 0 : committed = true; }
  std::string text;
  std::size_t failFrom, writes = 0;
  bool committed = false, failed = false;
};

// Parses the text fed in slices of the given size; the result of Parse.
inline int ParseText(const std::string& text, MOKLightXmlElement& root, std::size_t slice = 7) {
  StringInput input(text, slice);
  return MOKLightXmlParser().Parse(input, root);
}

// Writes the tree with GetXml into a string.
inline std::string WriteText(const MOKLightXmlElement& root) {
  StringOutput output;
  MOKLightXmlParser().GetXml(root, output);
  return output.text;
}

// Reads a file the way the library does: input file, parser, Parse.
inline int ParseFile(const std::string& path, MOKLightXmlElement& root) {
  MOKLightXmlInputFile input{MOKUnicodeString(path)};
  return MOKLightXmlParser().Parse(input, root);
}

// Writes a file the way the library does: parser, output file, formatter.
inline int WriteFile(const MOKLightXmlElement& root, const std::string& path) {
  MOKLightXmlParser parser;
  MOKLightXmlOutputFile file{MOKUnicodeString(path)};
  MOKLightXmlOutputFormatter formatter(file);
  return parser.GetXml(root, formatter);
}

// One line through the element interface, empty for an empty element:
// name(attribute=value,...)'text'{child child}.
inline std::string Render(const MOKLightXmlElementItf& element) {
  std::string line = element.GetName().GetText(), separator = "(";
  void* cookie = element.GetAttributes();
  for (const MOKUnicodeString* name; (name = element.GetAttributeName(cookie)); separator = ",")
    line += separator + name->GetText() + "=" + element.GetAttributeValue(*name).GetText();
  if (separator == ",") line += ")";
  if (element.GetValue().GetLengthInByte() > 0) line += "'" + element.GetValue().GetText() + "'";
  cookie = element.GetChildren();
  for (separator = "{"; const MOKLightXmlElementItf* child = element.GetChild(cookie); separator = " ")
    line += separator + Render(*child);
  return separator == " " ? line + "}" : line;
}

#endif
