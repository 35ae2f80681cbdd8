#include "XMLName.h"

#include <cstdint>

namespace {

struct CodePointRange {
  std::uint32_t first;
  std::uint32_t last;
};

// Non-ASCII NameStartChar ranges of XML 1.0, fifth edition.
constexpr CodePointRange kNameStartRanges[] = {
    {0xC0, 0xD6},       {0xD8, 0xF6},       {0xF8, 0x2FF},
    {0x370, 0x37D},     {0x37F, 0x1FFF},    {0x200C, 0x200D},
    {0x2070, 0x218F},   {0x2C00, 0x2FEF},   {0x3001, 0xD7FF},
    {0xF900, 0xFDCF},   {0xFDF0, 0xFFFD},   {0x10000, 0xEFFFF}};

// Non-ASCII characters allowed after the first one only.
constexpr CodePointRange kNameOnlyRanges[] = {
    {0xB7, 0xB7}, {0x300, 0x36F}, {0x203F, 0x2040}};

template <std::size_t N>
bool IsInRanges(std::uint32_t codePoint, const CodePointRange (&ranges)[N]) {
  for (const CodePointRange& range : ranges) {
    if (codePoint >= range.first && codePoint <= range.last) return true;
  }
  return false;
}

bool IsAsciiLetter(std::uint32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNameStartChar(std::uint32_t c) {
  if (c < 0x80) return IsAsciiLetter(c) || c == '_' || c == ':';
  return IsInRanges(c, kNameStartRanges);
}

bool IsNameChar(std::uint32_t c) {
  if (IsNameStartChar(c)) return true;
  if (c < 0x80) return (c >= '0' && c <= '9') || c == '.' || c == '-';
  return IsInRanges(c, kNameOnlyRanges);
}

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one UTF-8 character at bytes[*position], advancing the position.
// Refuses truncated sequences, overlong forms, surrogates and code points
// above U+10FFFF, so that only text any writer can emit unchanged passes.
bool DecodeCharacter(const unsigned char* bytes, std::size_t length,
                     std::size_t* position, std::uint32_t* codePoint) {
  const unsigned char lead = bytes[*position];
  std::size_t extra = 0;
  std::uint32_t minimum = 0;
  std::uint32_t value = 0;
  if (lead < 0x80) {
    value = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, minimum = 0x80, value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, minimum = 0x800, value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, minimum = 0x10000, value = lead & 0x07;
  } else {
    return false;
  }
  if (length - *position <= extra) return false;
  for (std::size_t i = 1; i <= extra; ++i) {
    const unsigned char next = bytes[*position + i];
    if (!IsContinuationByte(next)) return false;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF) return false;
  if (value >= 0xD800 && value <= 0xDFFF) return false;
  *position += extra + 1;
  *codePoint = value;
  return true;
}

}  // namespace

bool IsXMLName(const char* bytes, std::size_t length) {
  if (bytes == nullptr || length == 0) return false;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes);
  std::size_t position = 0;
  bool first = true;
  while (position < length) {
    std::uint32_t codePoint = 0;
    if (!DecodeCharacter(data, length, &position, &codePoint)) return false;
    if (first ? !IsNameStartChar(codePoint) : !IsNameChar(codePoint)) {
      return false;
    }
    first = false;
  }
  return true;
}
