#include "MOKLightXmlParser.h"

#include <expat.h>

#include <algorithm>

#include "LightXmlTreeBuilder.h"
#include "LightXmlWriter.h"

namespace {

constexpr long kChunkSize = 64 * 1024;
constexpr long kMaxChunkSize = 1L << 30;

// Expat scans a token left unfinished at the end of a chunk again from its
// start with the next chunk, so fixed chunks make one huge token (a long
// attribute value) quadratic. A chunk at least as large as the bytes still
// pending keeps the total work linear; otherwise chunks stay small, so that
// Expat's buffer is made once and reused, as fresh memory costs more than
// the reading itself.
long NextChunkSize(XML_Parser parser, long readSoFar) {
  const XML_Index parsed = XML_GetCurrentByteIndex(parser);
  const long pending =
      parsed < 0 ? readSoFar : readSoFar - static_cast<long>(parsed);
  return std::min(std::max(kChunkSize, pending), kMaxChunkSize);
}

// Reads the stream chunk by chunk into the parser; false on a read error or
// a document that is not well-formed.
bool FeedParser(XML_Parser parser, MOKLightXmlInputStream& input) {
  for (long readSoFar = 0;;) {
    const long size = NextChunkSize(parser, readSoFar);
    void* buffer = XML_GetBuffer(parser, static_cast<int>(size));
    if (buffer == nullptr) return false;
    const long count =
        input.Read(static_cast<char*>(buffer), static_cast<std::size_t>(size));
    if (count < 0 || count > size) return false;
    const bool last = count == 0;
    if (XML_ParseBuffer(parser, static_cast<int>(count), last) !=
        XML_STATUS_OK)
      return false;
    if (last) return true;
    readSoFar += count;
  }
}

}  // namespace

MOKLightXmlParser::MOKLightXmlParser() = default;

MOKLightXmlParser::~MOKLightXmlParser() = default;

int MOKLightXmlParser::Parse(MOKLightXmlInputStream& input,
                             MOKLightXmlElement& root) {
  root.Reset();
  if (input.IsValid() != 1) return 0;
  XML_Parser parser = XML_ParserCreate(nullptr);
  if (parser == nullptr) return 0;
  // External entities are never read; Expat's protection against entity
  // expansion attacks stays at its defaults.
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  LightXmlTreeBuilder builder(root);
  builder.Attach(parser);
  const bool read = FeedParser(parser, input) && builder.IsComplete();
  XML_ParserFree(parser);
  if (read) return 1;
  root.Reset();
  return 0;
}

int MOKLightXmlParser::GetXml(const MOKLightXmlElement& root,
                              MOKLightXmlOutputStream& output) {
  if (output.IsValid() != 1) return 0;
  LightXmlWriter writer(output);
  if (!writer.WriteDocument(root)) return 0;
  return output.Commit() == 1 ? 1 : 0;
}
