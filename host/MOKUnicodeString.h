#ifndef MOKUnicodeString_h
#define MOKUnicodeString_h

#include <cstddef>
#include <string>

#include "MOKHostExport.h"

// The host's string class: a text held as UTF-8 bytes, with value semantics.
class MOKHOST_EXPORT MOKUnicodeString {
 public:
  MOKUnicodeString();
  // A null pointer gives an empty text.
  MOKUnicodeString(const char* text);
  MOKUnicodeString(const char* data, std::size_t length);
  explicit MOKUnicodeString(std::string text);
  MOKUnicodeString(const MOKUnicodeString& other);
  MOKUnicodeString(MOKUnicodeString&& other) noexcept;
  MOKUnicodeString& operator=(const MOKUnicodeString& other);
  MOKUnicodeString& operator=(MOKUnicodeString&& other) noexcept;
  ~MOKUnicodeString();

  // Appends the other text; returns this string.
  MOKUnicodeString& operator+=(const MOKUnicodeString& other);

  // 2 when both texts are equal byte for byte, 0 otherwise.
  int Compare(const MOKUnicodeString& other) const;

  // Number of bytes of the text.
  int GetLengthInByte() const;

  // Replaces the text with the number formatted by a printf-style format.
  // A format that is not exactly one conversion of the argument's type
  // returns 0 and leaves the text unchanged; 1 on success.
  int BuildFromNum(unsigned int value, const char* format);
  int BuildFromNum(double value, const char* format);

  // Reads the text with a scanf-style format holding one double conversion
  // ("%le"); non-zero when a number was read into *value, 0 otherwise.
  int ConvertToNum(double* value, const char* format) const;

  // The text, NUL-terminated; valid while the string lives unchanged.
  operator const char*() const;

  // Direct access for the host layer's own code.
  const std::string& GetText() const { return _Text; }

 private:
  std::string _Text;
};

#endif
