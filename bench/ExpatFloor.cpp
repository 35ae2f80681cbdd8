#include "ExpatFloor.h"

#include <expat.h>

#include <cstdio>

namespace {

void XMLCALL IgnoreStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL IgnoreEnd(void*, const XML_Char*) {}
void XMLCALL IgnoreText(void*, const XML_Char*, int) {}

}  // namespace

bool ExpatReads(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetElementHandler(parser, IgnoreStart, IgnoreEnd);
  XML_SetCharacterDataHandler(parser, IgnoreText);
  bool ok = true;
  for (bool last = false; ok && !last;) {
    void* buffer = XML_GetBuffer(parser, 64 * 1024);
    const std::size_t count = std::fread(buffer, 1, 64 * 1024, file);
    last = count == 0;
    ok =
        XML_ParseBuffer(parser, static_cast<int>(count), last) == XML_STATUS_OK;
  }
  XML_ParserFree(parser);
  std::fclose(file);
  return ok;
}
