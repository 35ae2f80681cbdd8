#ifndef LightXmlText_h
#define LightXmlText_h

#include <expat.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

// Byte-level rules of the XML text the writer lays out.

// The length of the character starting at p when it is well-formed UTF-8
// and a character XML 1.0 can carry; 0 otherwise (control character,
// invalid or truncated UTF-8, surrogate, U+FFFE, U+FFFF).
std::size_t XmlCharLength(const unsigned char* p, const unsigned char* end);

// Appends the text escaped for element content or for a double-quoted
// attribute value; every byte XML cannot carry becomes U+FFFD.
void AppendEscaped(std::string& out, const std::string& text, bool attribute);
void AppendEscaped(std::string& out, const char* data, std::size_t size,
                   bool attribute);

// Appends the character of that length at p, or U+FFFD in place of the
// byte at p when length is 0 (as XmlCharLength gives for a byte XML cannot
// carry); returns how many bytes of the input were consumed.
std::size_t AppendCharacter(std::string& out, const unsigned char* p,
                            std::size_t length);
// The first byte XML cannot carry, end when there is none.
const unsigned char* FindUnwritable(const unsigned char* p,
                                    const unsigned char* end);
// Appends the bytes unescaped, every byte XML cannot carry as U+FFFD.
void AppendWritable(std::string& out, const unsigned char* p,
                    const unsigned char* end);

// Turns any byte string into an XML Name the reader accepts: each offending
// byte becomes '_', an empty name becomes "_". Non-ASCII characters are
// judged by the reader (Expat) itself, once each.
class XmlNameSanitizer {
 public:
  XmlNameSanitizer();
  ~XmlNameSanitizer();
  XmlNameSanitizer(const XmlNameSanitizer&) = delete;
  XmlNameSanitizer& operator=(const XmlNameSanitizer&) = delete;

  // True when the name is written unchanged.
  bool IsValid(const std::string& name);
  // Appends the sanitized name.
  void Append(std::string& out, const std::string& name);

 private:
  // Length of the name character at p (0 when it offends).
  std::size_t NameCharLength(const unsigned char* p, const unsigned char* end,
                             bool first);
  bool ReaderAccepts(const unsigned char* p, std::size_t length, bool first);

  XML_Parser _Parser;
  // Per code point: bit 0 known as first, bit 1 accepted as first, bit 2
  // known as following, bit 3 accepted as following.
  std::unordered_map<std::uint32_t, unsigned char> _Verdicts;
};

#endif
