#include "version/VisuXMLEnvironmentNumber.h"

#include <climits>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int VisuXMLConvertAsAtoi(const char* text) {
  if (text == nullptr) return 0;
  while (IsBlank(*text)) ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  // Accumulate the magnitude in a wider type and stop growing it once it
  // is past any int, so long digit runs cannot overflow.
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long magnitude = 0;
  for (; IsDigit(*text); ++text) {
    if (magnitude <= limit) magnitude = magnitude * 10 + (*text - '0');
  }
  if (magnitude > limit) magnitude = limit;
  return static_cast<int>(negative ? -magnitude : magnitude);
}
