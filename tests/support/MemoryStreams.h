#ifndef MemoryStreams_h
#define MemoryStreams_h

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlInputStream.h"
#include "MOKLightXmlOutputStream.h"
#include "MOKLightXmlParser.h"

// Header-only helpers shared by the robustness tests and the fuzz targets:
// XML streams held in memory, and tree equality without recursion.

// Serves bytes from memory to the parser, in small slices so that the
// parser's own buffering across reads is exercised as well.
class MemoryInputStream : public MOKLightXmlInputStream {
 public:
  MemoryInputStream(const char* data, std::size_t size,
                    std::size_t slice = 4096)
      : _pData(data), _Size(size), _Slice(slice == 0 ? 1 : slice) {}
  explicit MemoryInputStream(const std::string& text, std::size_t slice = 4096)
      : MemoryInputStream(text.data(), text.size(), slice) {}

  int IsValid() const override { return 1; }
  long Read(char* buffer, std::size_t size) override {
    std::size_t count = _Size - _Offset;
    if (count > size) count = size;
    if (count > _Slice) count = _Slice;
    if (count > 0) std::memcpy(buffer, _pData + _Offset, count);
    _Offset += count;
    return static_cast<long>(count);
  }

 private:
  const char* _pData;
  std::size_t _Size;
  std::size_t _Slice;
  std::size_t _Offset = 0;
};

// Collects the writer's bytes in a string.
class MemoryOutputStream : public MOKLightXmlOutputStream {
 public:
  int IsValid() const override { return 1; }
  int Write(const char* data, std::size_t size) override {
    _Text.append(data, size);
    return 1;
  }
  int Commit() override { return 1; }

  const std::string& Text() const { return _Text; }

 private:
  std::string _Text;
};

// Parses the text into root with the host parser; true when read.
inline bool ParseText(const std::string& text, MOKLightXmlElement& root,
                      std::size_t slice = 4096) {
  MemoryInputStream input(text, slice);
  MOKLightXmlParser parser;
  return parser.Parse(input, root) == 1;
}

// Writes the tree with the host writer; false when GetXml failed.
inline bool WriteText(const MOKLightXmlElement& root, std::string& text) {
  MemoryOutputStream output;
  MOKLightXmlParser parser;
  const int written = parser.GetXml(root, output);
  text = output.Text();
  return written != 0;
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
