#include "MOKLightXmlText.h"

#include <string>
#include <utility>

#include "LightXmlText.h"

int MOKLightXmlMakeWritable(MOKUnicodeString& text) {
  const std::string& bytes = text.GetText();
  const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = begin + bytes.size();
  const unsigned char* unwritable = FindUnwritable(begin, end);
  if (unwritable == end) return 0;
  std::string writable;
  // Each replaced byte grows by two: room for a few without reallocating.
  writable.reserve(bytes.size() + 16);
  writable.append(bytes.data(), static_cast<std::size_t>(unwritable - begin));
  AppendWritable(writable, unwritable, end);
  text = MOKUnicodeString(std::move(writable));
  return 1;
}

int MOKLightXmlIsName(const MOKUnicodeString& name) {
  // ASCII names are judged without the reader. Other characters are asked
  // of it once per thread, since each question costs a parser.
  thread_local XmlNameSanitizer names;
  return names.IsValid(name.GetText()) ? 1 : 0;
}
