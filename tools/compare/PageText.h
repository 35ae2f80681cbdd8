#ifndef PageText_h
#define PageText_h

#include <cstddef>
#include <string>

// Appends the text to the page as element content: the characters HTML
// reads as markup written as references.
void AppendEscaped(std::string& page, const std::string& text);
// The same inside a double-quoted attribute value.
void AppendEscapedValue(std::string& page, const std::string& text);

// Appends the text as a JSON string, quotes included, for data the page's
// script reads: "<", ">" and "&" are written as escapes too, so that the
// data can never end its script element or start markup.
void AppendJsonString(std::string& page, const std::string& text);

// The text cut to at most limit bytes, never inside a UTF-8 character,
// with "…" and the number of bytes left out when it was cut: a value of
// 100 MB shows as its start.
std::string ShownText(const char* text, std::size_t length, std::size_t limit);
inline std::string ShownText(const std::string& text, std::size_t limit) {
  return ShownText(text.data(), text.size(), limit);
}

// "1 child", "3 children".
std::string Counted(std::size_t count, const char* one, const char* many);

// Places longer than this keep their two ends.
constexpr std::size_t kShownPlaceBytes = 400;

// A place longer than limit keeps its start and its end, "…" between them:
// the steps near the difference tell most.
std::string ShownPlace(const std::string& path, std::size_t limit);

#endif
