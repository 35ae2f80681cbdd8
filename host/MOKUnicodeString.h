#ifndef MOKUnicodeString_h
#define MOKUnicodeString_h

#include <cstddef>
#include <string>
#include <utility>

#include "MOKHostExport.h"

// The host's string class: a text held as UTF-8 bytes, with value semantics.
class MOKHOST_EXPORT MOKUnicodeString {
 public:
  // The plain members are inline: strings are made, copied and read in
  // every step of a dump.
  MOKUnicodeString() = default;
  // A null pointer gives an empty text.
  MOKUnicodeString(const char* text) : _Text(text != nullptr ? text : "") {}
  MOKUnicodeString(const char* data, std::size_t length)
      : _Text(data != nullptr ? std::string(data, length) : std::string()) {}
  explicit MOKUnicodeString(std::string text) : _Text(std::move(text)) {}
  MOKUnicodeString(const MOKUnicodeString& other) = default;
  MOKUnicodeString(MOKUnicodeString&& other) noexcept = default;
  MOKUnicodeString& operator=(const MOKUnicodeString& other) = default;
  MOKUnicodeString& operator=(MOKUnicodeString&& other) noexcept = default;
  ~MOKUnicodeString() = default;

  // Appends the other text; returns this string.
  MOKUnicodeString& operator+=(const MOKUnicodeString& other);

  // 2 when both texts are equal byte for byte, 0 otherwise.
  int Compare(const MOKUnicodeString& other) const {
    return _Text == other._Text ? 2 : 0;
  }

  // Number of bytes of the text. Texts beyond INT_MAX bytes still report
  // "not empty".
  int GetLengthInByte() const {
    return _Text.size() > 0x7FFFFFFFu ? 0x7FFFFFFF
                                      : static_cast<int>(_Text.size());
  }

  // Replaces the text with the number formatted by a printf-style format.
  // A format that is not exactly one conversion of the argument's type
  // returns 0 and leaves the text unchanged; 1 on success.
  int BuildFromNum(unsigned int value, const char* format);
  int BuildFromNum(double value, const char* format);

  // Reads the text with a scanf-style format holding one double conversion
  // ("%le"); non-zero when a number was read into *value, 0 otherwise.
  int ConvertToNum(double* value, const char* format) const;

  // The text, NUL-terminated; valid while the string lives unchanged.
  operator const char*() const { return _Text.c_str(); }

  // Direct access for the host layer's own code.
  const std::string& GetText() const { return _Text; }

 private:
  std::string _Text;
};

#endif
