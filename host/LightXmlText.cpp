#include "LightXmlText.h"

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

std::size_t AsciiCharLength(unsigned char byte) {
  return byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\r' ? 1 : 0;
}

// Lead byte ranges refuse overlong forms, surrogates and code points
// above U+10FFFF.
std::size_t MultiByteLength(const unsigned char* p, const unsigned char* end) {
  const std::size_t available = static_cast<std::size_t>(end - p);
  const unsigned char lead = p[0];
  if (lead >= 0xC2 && lead <= 0xDF)
    return available >= 2 && IsContinuation(p[1]) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (available < 3 || !IsContinuation(p[1]) || !IsContinuation(p[2]))
      return 0;
    if (lead == 0xE0 && p[1] < 0xA0) return 0;
    if (lead == 0xED && p[1] >= 0xA0) return 0;
    if (lead == 0xEF && p[1] == 0xBF && p[2] >= 0xBE) return 0;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (available < 4 || !IsContinuation(p[1]) || !IsContinuation(p[2]) ||
        !IsContinuation(p[3]))
      return 0;
    if (lead == 0xF0 && p[1] < 0x90) return 0;
    if (lead == 0xF4 && p[1] >= 0x90) return 0;
    return 4;
  }
  return 0;
}

const char* EscapeFor(unsigned char byte, bool attribute) {
  switch (byte) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '\r':
      return "&#13;";
    case '"':
      return attribute ? "&quot;" : nullptr;
    case '\t':
      return attribute ? "&#9;" : nullptr;
    case '\n':
      return attribute ? "&#10;" : nullptr;
    default:
      return nullptr;
  }
}

std::uint32_t DecodeUtf8(const unsigned char* p, std::size_t length) {
  static const unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::uint32_t code = p[0] & kLeadMask[length];
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (p[i] & 0x3F);
  return code;
}

bool IsAsciiNameChar(unsigned char byte, bool first) {
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
      byte == '_' || byte == ':')
    return true;
  return !first && ((byte >= '0' && byte <= '9') || byte == '-' || byte == '.');
}

}  // namespace

std::size_t XmlCharLength(const unsigned char* p, const unsigned char* end) {
  if (p >= end) return 0;
  if (p[0] < 0x80) return AsciiCharLength(p[0]);
  return MultiByteLength(p, end);
}

void AppendEscaped(std::string& out, const std::string& text, bool attribute) {
  AppendEscaped(out, text.data(), text.size(), attribute);
}

namespace {

// Bytes copied as they are: printable ASCII without the XML specials, plus
// tab and newline in element content.
struct PlainBytes {
  bool content[256];
  bool attribute[256];
  PlainBytes() : content(), attribute() {
    for (int byte = 0x20; byte < 0x7F; ++byte)
      content[byte] = attribute[byte] =
          byte != '&' && byte != '<' && byte != '>';
    attribute[static_cast<unsigned char>('"')] = false;
    content[static_cast<unsigned char>('\t')] = true;
    content[static_cast<unsigned char>('\n')] = true;
  }
};

}  // namespace

void AppendEscaped(std::string& out, const char* data, std::size_t size,
                   bool attribute) {
  static const PlainBytes plainBytes;
  const bool* plainByte = attribute ? plainBytes.attribute : plainBytes.content;
  const auto* p = reinterpret_cast<const unsigned char*>(data);
  const auto* end = p + size;
  while (p < end) {
    const auto* plain = p;
    while (p < end && plainByte[*p]) ++p;
    out.append(reinterpret_cast<const char*>(plain),
               static_cast<std::size_t>(p - plain));
    if (p == end) break;
    const std::size_t length = XmlCharLength(p, end);
    const char* escape = length == 1 ? EscapeFor(*p, attribute) : nullptr;
    if (escape != nullptr) {
      out.append(escape);
      ++p;
    } else {
      p += AppendCharacter(out, p, length);
    }
  }
}

std::size_t AppendCharacter(std::string& out, const unsigned char* p,
                            std::size_t length) {
  if (length == 0) {
    out.append(kReplacement);
    return 1;
  }
  out.append(reinterpret_cast<const char*>(p), length);
  return length;
}

const unsigned char* FindUnwritable(const unsigned char* p,
                                    const unsigned char* end) {
  while (p < end) {
    // Printable ASCII, the bulk of any dump, needs no decoding.
    while (p < end && *p >= 0x20 && *p < 0x7F) ++p;
    if (p == end) break;
    const std::size_t length = XmlCharLength(p, end);
    if (length == 0) break;
    p += length;
  }
  return p;
}

void AppendWritable(std::string& out, const unsigned char* p,
                    const unsigned char* end) {
  while (p < end) p += AppendCharacter(out, p, XmlCharLength(p, end));
}

XmlNameSanitizer::XmlNameSanitizer() : _Parser(nullptr) {}

XmlNameSanitizer::~XmlNameSanitizer() {
  if (_Parser != nullptr) XML_ParserFree(_Parser);
}

bool XmlNameSanitizer::IsValid(const std::string& name) {
  if (name.empty()) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(name.data());
  const auto* end = p + name.size();
  for (bool first = true; p < end; first = false) {
    const std::size_t length = NameCharLength(p, end, first);
    if (length == 0) return false;
    p += length;
  }
  return true;
}

void XmlNameSanitizer::Append(std::string& out, const std::string& name) {
  if (name.empty()) {
    out += '_';
    return;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(name.data());
  const auto* end = p + name.size();
  for (bool first = true; p < end; first = false) {
    const std::size_t length = NameCharLength(p, end, first);
    if (length == 0) {
      // A character refused as a whole loses every one of its bytes.
      const std::size_t characterLength = XmlCharLength(p, end);
      const std::size_t replaced = characterLength > 0 ? characterLength : 1;
      out.append(replaced, '_');
      p += replaced;
      continue;
    }
    out.append(reinterpret_cast<const char*>(p), length);
    p += length;
  }
}

std::size_t XmlNameSanitizer::NameCharLength(const unsigned char* p,
                                             const unsigned char* end,
                                             bool first) {
  if (p[0] < 0x80) return IsAsciiNameChar(p[0], first) ? 1 : 0;
  const std::size_t length = MultiByteLength(p, end);
  if (length == 0) return 0;
  return ReaderAccepts(p, length, first) ? length : 0;
}

// Asks Expat whether it takes the character in a name, by parsing a
// one-element document; verdicts are kept per code point.
bool XmlNameSanitizer::ReaderAccepts(const unsigned char* p, std::size_t length,
                                     bool first) {
  const unsigned char known = first ? 1 : 4;
  const unsigned char accepted = first ? 2 : 8;
  unsigned char& verdict = _Verdicts[DecodeUtf8(p, length)];
  if ((verdict & known) != 0) return (verdict & accepted) != 0;
  if (_Parser == nullptr) _Parser = XML_ParserCreate("UTF-8");
  if (_Parser == nullptr) return false;
  XML_ParserReset(_Parser, "UTF-8");
  std::string document(first ? "<" : "<a");
  document.append(reinterpret_cast<const char*>(p), length);
  document += "/>";
  const bool ok =
      XML_Parse(_Parser, document.data(), static_cast<int>(document.size()),
                XML_TRUE) == XML_STATUS_OK;
  verdict |= known;
  if (ok) verdict |= accepted;
  return ok;
}
