#include "PageText.h"

namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The cut moved back to the start of the character it falls in.
std::size_t CharacterStart(const char* text, std::size_t length,
                           std::size_t at) {
  while (at > 0 && at < length && IsContinuationByte(text[at])) --at;
  return at;
}

void AppendCharacter(std::string& page, char c, bool inQuotes) {
  switch (c) {
    case '&':
      page += "&amp;";
      break;
    case '<':
      page += "&lt;";
      break;
    case '>':
      page += "&gt;";
      break;
    case '"':
      page += inQuotes ? "&quot;" : "\"";
      break;
    default:
      page += c;
  }
}

}  // namespace

void AppendEscaped(std::string& page, const std::string& text) {
  for (const char c : text) AppendCharacter(page, c, false);
}

void AppendEscapedValue(std::string& page, const std::string& text) {
  for (const char c : text) AppendCharacter(page, c, true);
}

void AppendJsonString(std::string& page, const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  page += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      page += '\\';
      page += c;
    } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
      page += "\\u00";
      page += kHex[byte >> 4];
      page += kHex[byte & 0xF];
    } else {
      page += c;
    }
  }
  page += '"';
}

std::string ShownText(const char* text, std::size_t length, std::size_t limit) {
  if (length <= limit) return std::string(text, length);
  const std::size_t kept = CharacterStart(text, length, limit);
  return std::string(text, kept) + "\xE2\x80\xA6 (" +
         std::to_string(length - kept) + " more bytes)";
}

std::string ShownPlace(const std::string& path, std::size_t limit) {
  if (path.size() <= limit) return path;
  const std::size_t head = CharacterStart(path.data(), path.size(), limit / 2);
  const std::size_t tail = CharacterStart(path.data(), path.size(),
                                          path.size() - (limit - limit / 2));
  return path.substr(0, head) + "\xE2\x80\xA6" + path.substr(tail);
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}
