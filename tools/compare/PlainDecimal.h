#ifndef PlainDecimal_h
#define PlainDecimal_h

#include <cstddef>

// True for a plain decimal number and nothing else: an optional sign,
// digits with an optional fraction (at least one digit in all), an
// optional exponent. Never hexadecimal, "inf", "nan" or a blank.
bool IsPlainDecimal(const char* text, std::size_t length);

#endif
