#ifndef LightXmlTestSupport_h
#define LightXmlTestSupport_h

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "MOKLightXmlElement.h"
#include "MOKLightXmlInputStream.h"
#include "MOKLightXmlOutputStream.h"

// Serves a string to the parser in slices of a given size.
class StringInput : public MOKLightXmlInputStream {
 public:
  explicit StringInput(std::string text, std::size_t slice = 7)
      : _Text(std::move(text)), _Slice(slice) {}
  int IsValid() const override { return 1; }
  long Read(char* buffer, std::size_t size) override {
    std::size_t count = std::min(std::min(size, _Slice), _Text.size() - _At);
    _Text.copy(buffer, count, _At);
    _At += count;
    return static_cast<long>(count);
  }

 private:
  std::string _Text;
  std::size_t _Slice;
  std::size_t _At = 0;
};

// Collects what is written; can be told to fail from the n-th write on.
class StringOutput : public MOKLightXmlOutputStream {
 public:
  explicit StringOutput(std::size_t failFromWrite = 0)
      : _FailFrom(failFromWrite) {}
  int IsValid() const override { return _Failed ? 0 : 1; }
  int Write(const char* data, std::size_t size) override {
    ++writes;
    if (committed || (_FailFrom != 0 && writes >= _FailFrom)) {
      _Failed = true;
      return 0;
    }
    text.append(data, size);
    return 1;
  }
  int Commit() override {
    if (_Failed || committed) return 0;
    committed = true;
    return 1;
  }

  std::string text;
  std::size_t writes = 0;
  bool committed = false;

 private:
  std::size_t _FailFrom;
  bool _Failed = false;
};

// Parses the text with the host parser, fed in slices of the given size;
// the result of Parse.
int ParseText(const std::string& text, MOKLightXmlElement& root,
              std::size_t slice = 7);
// Writes the tree with GetXml into a string.
std::string WriteText(const MOKLightXmlElement& root);
// Reads a file the way the library does (input file, parser, Parse).
int ParseFile(const std::string& path, MOKLightXmlElement& root);
// Writes a file the way the library does (parser, output file, formatter).
int WriteFile(const MOKLightXmlElement& root, const std::string& path);
// Empty when both trees hold the same names, attributes, texts and child
// order; otherwise a description of the first difference.
std::string FirstDifference(const MOKLightXmlElement& expected,
                            const MOKLightXmlElement& actual);

#endif
