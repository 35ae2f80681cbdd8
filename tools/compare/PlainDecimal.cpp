#include "PlainDecimal.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSign(char c) { return c == '+' || c == '-'; }

// Moves past the digits from at; how many there were.
std::size_t SkipDigits(const char* text, std::size_t length, std::size_t& at) {
  const std::size_t start = at;
  while (at < length && IsDigit(text[at])) ++at;
  return at - start;
}

}  // namespace

bool IsPlainDecimal(const char* text, std::size_t length) {
  std::size_t at = 0;
  if (at < length && IsSign(text[at])) ++at;
  std::size_t digits = SkipDigits(text, length, at);
  if (at < length && text[at] == '.') {
    ++at;
    digits += SkipDigits(text, length, at);
  }
  if (digits == 0) return false;
  if (at < length && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < length && IsSign(text[at])) ++at;
    if (SkipDigits(text, length, at) == 0) return false;
  }
  return at == length;
}
