#include "MOKUnicodeString.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

enum class ArgumentKind { kUnsigned, kDouble };

// Width and precision are capped so that a format can never ask for an
// unbounded amount of output.
constexpr int kMaxFieldDigits = 3;

bool SkipDigits(const char*& p) {
  int digits = 0;
  while (*p >= '0' && *p <= '9') {
    ++p;
    if (++digits > kMaxFieldDigits) return false;
  }
  return true;
}

bool IsConversionFor(char conversion, ArgumentKind kind) {
  if (conversion == '\0') return false;
  if (kind == ArgumentKind::kUnsigned)
    return std::strchr("diouxX", conversion) != nullptr;
  return std::strchr("eEfFgGaA", conversion) != nullptr;
}

// True when the format holds exactly one conversion, of the argument's kind,
// besides literal text and "%%". Dangerous pieces ('*', '%n', length
// modifiers other than 'l' for doubles) are refused.
bool IsSafePrintfFormat(const char* format, ArgumentKind kind) {
  if (format == nullptr) return false;
  int conversions = 0;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) ++p;
    if (!SkipDigits(p)) return false;
    if (*p == '.') {
      ++p;
      if (!SkipDigits(p)) return false;
    }
    if (*p == 'l' && kind == ArgumentKind::kDouble) ++p;
    if (!IsConversionFor(*p, kind)) return false;
    ++conversions;
  }
  return conversions == 1;
}

// A scanf format for one double: optional literal text around a single
// "%le", "%lf", "%lg" or "%la" (with an optional width).
bool IsSafeScanfDoubleFormat(const char* format) {
  if (format == nullptr) return false;
  int conversions = 0;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    if (!SkipDigits(p)) return false;
    if (*p != 'l') return false;
    ++p;
    if (*p == '\0' || std::strchr("eEfFgGaA", *p) == nullptr) return false;
    ++conversions;
  }
  return conversions == 1;
}

template <typename Number>
bool Format(std::string& out, const char* format, Number value) {
  char buffer[512];
  int length = std::snprintf(buffer, sizeof buffer, format, value);
  if (length < 0) return false;
  if (static_cast<std::size_t>(length) < sizeof buffer) {
    out.assign(buffer, static_cast<std::size_t>(length));
    return true;
  }
  std::string large(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(&large[0], large.size(), format, value);
  large.resize(static_cast<std::size_t>(length));
  out.swap(large);
  return true;
}

}  // namespace

MOKUnicodeString& MOKUnicodeString::operator+=(const MOKUnicodeString& other) {
  _Text += other._Text;
  return *this;
}

int MOKUnicodeString::BuildFromNum(unsigned int value, const char* format) {
  if (!IsSafePrintfFormat(format, ArgumentKind::kUnsigned)) return 0;
  return Format(_Text, format, value) ? 1 : 0;
}

int MOKUnicodeString::BuildFromNum(double value, const char* format) {
  if (!IsSafePrintfFormat(format, ArgumentKind::kDouble)) return 0;
  return Format(_Text, format, value) ? 1 : 0;
}

int MOKUnicodeString::ConvertToNum(double* value, const char* format) const {
  if (value == nullptr || !IsSafeScanfDoubleFormat(format)) return 0;
  double read = 0.0;
  if (std::sscanf(_Text.c_str(), format, &read) != 1) return 0;
  *value = read;
  return 1;
}
