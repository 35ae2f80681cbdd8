#ifndef MemoryStreams_h
#define MemoryStreams_h

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlInputStream.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"

// Header-only helpers shared by the tests and the fuzz targets: XML read
// and written in memory, or written to a file the way the library does;
// trees pictured, and compared without recursion.

// Serves text to the parser in slices of the given size, so that the
// parser's own buffering across reads is exercised as well.
struct MemoryInputStream : MOKLightXmlInputStream {
  MemoryInputStream(const std::string& text, std::size_t slice)
      : text(text), slice(std::max<std::size_t>(slice, 1)) {}
  int IsValid() const override { return 1; }
  long Read(char* buffer, std::size_t size) override {
    const std::size_t count = text.copy(buffer, std::min(size, slice), at);
    at += count;
    return static_cast<long>(count);
  }
  const std::string& text;
  std::size_t slice, at = 0;
};

// Keeps what is written; fails from write number failFrom on (never when
// 0) and refuses everything once committed.
struct MemoryOutputStream : MOKLightXmlOutputStream {
  explicit MemoryOutputStream(std::size_t failFrom = 0) : failFrom(failFrom) {}
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

// Parses the text into root with the host parser; true when read.
inline bool ParseText(const std::string& text, MOKLightXmlElement& root,
                      std::size_t slice = 4096) {
  MemoryInputStream input(text, slice);
  return MOKLightXmlParser().Parse(input, root) == 1;
}

// Writes the tree with the host writer; false when GetXml failed.
inline bool WriteText(const MOKLightXmlElement& root, std::string& text) {
  MemoryOutputStream output;
  const bool written = MOKLightXmlParser().GetXml(root, output) != 0;
  text = output.text;
  return written;
}

// Writes a file the way the library does: parser, output file, formatter.
inline bool WriteFile(const MOKLightXmlElement& root, const std::string& path) {
  MOKLightXmlOutputFile file{MOKUnicodeString(path)};
  MOKLightXmlOutputFormatter formatter(file);
  return MOKLightXmlParser().GetXml(root, formatter) != 0;
}

// One line per tree, through the element interface: Name(a=1, b=2) "text"
// [Child | Child], empty for an empty element; an error element without
// attributes and children shows as {its message}. Recursive: small trees.
inline std::string Describe(const MOKLightXmlElementItf& element) {
  std::string line = element.GetName().GetText(), separator = "(", children;
  void* cookie = element.GetAttributes();
  for (const MOKUnicodeString* name; (name = element.GetAttributeName(cookie));
       separator = ", ")
    line += separator + name->GetText() + "=" +
            element.GetAttributeValue(*name).GetText();
  if (separator != "(") line += ")";
  cookie = element.GetChildren();
  while (const MOKLightXmlElementItf* child = element.GetChild(cookie))
    children += (children.empty() ? " [" : " | ") + Describe(*child);
  const std::string text = element.GetValue().GetText();
  if (line == "VisuXMLError" && children.empty()) return "{" + text + "}";
  if (!text.empty()) line += " \"" + text + "\"";
  return children.empty() ? line : line + children + "]";
}

// Same names, attributes (name, value, order) and child order everywhere;
// texts too when compareTexts is set. Walks with an explicit stack so that
// arbitrarily deep trees are fine.
inline bool SameTree(const MOKLightXmlElement& left,
                     const MOKLightXmlElement& right, bool compareTexts) {
  std::vector<std::pair<const MOKLightXmlElement*, const MOKLightXmlElement*>>
      work;
  work.emplace_back(&left, &right);
  while (!work.empty()) {
    const MOKLightXmlElement* a = work.back().first;
    const MOKLightXmlElement* b = work.back().second;
    work.pop_back();
    if (a->GetName().Compare(b->GetName()) != 2) return false;
    if (compareTexts && a->GetValue().Compare(b->GetValue()) != 2) return false;
    if (a->GetAttributeCount() != b->GetAttributeCount()) return false;
    for (std::size_t i = 0; i < a->GetAttributeCount(); ++i) {
      if (a->GetAttributeNameAt(i).Compare(b->GetAttributeNameAt(i)) != 2 ||
          a->GetAttributeValueAt(i).Compare(b->GetAttributeValueAt(i)) != 2)
        return false;
    }
    if (a->GetChildCount() != b->GetChildCount()) return false;
    for (std::size_t i = 0; i < a->GetChildCount(); ++i)
      work.emplace_back(a->GetChildAt(i), b->GetChildAt(i));
  }
  return true;
}

// True when the tree holds an element of that name, root included.
inline bool TreeHasElementNamed(const MOKLightXmlElement& root,
                                const MOKUnicodeString& name) {
  std::vector<const MOKLightXmlElement*> work{&root};
  while (!work.empty()) {
    const MOKLightXmlElement* element = work.back();
    work.pop_back();
    if (element->GetName().Compare(name) == 2) return true;
    for (std::size_t i = 0; i < element->GetChildCount(); ++i)
      work.push_back(element->GetChildAt(i));
  }
  return false;
}

#endif
