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

enum class FeedResult { Read, ReadError, NotWellFormed };

// Reads the stream chunk by chunk into the parser.
FeedResult FeedParser(XML_Parser parser, MOKLightXmlInputStream& input) {
  for (long readSoFar = 0;;) {
    const long size = NextChunkSize(parser, readSoFar);
    void* buffer = XML_GetBuffer(parser, static_cast<int>(size));
    if (buffer == nullptr) return FeedResult::NotWellFormed;
    const long count =
        input.Read(static_cast<char*>(buffer), static_cast<std::size_t>(size));
    if (count < 0 || count > size) return FeedResult::ReadError;
    const bool last = count == 0;
    if (XML_ParseBuffer(parser, static_cast<int>(count), last) != XML_STATUS_OK)
      return FeedResult::NotWellFormed;
    if (last) return FeedResult::Read;
    readSoFar += count;
  }
}

std::string Position(XML_Parser parser) {
  // Expat counts columns from 0; people and editors count them from 1.
  return " at line " + std::to_string(XML_GetCurrentLineNumber(parser)) +
         ", column " + std::to_string(XML_GetCurrentColumnNumber(parser) + 1);
}

std::string DescribeFailure(XML_Parser parser, FeedResult fed,
                            const LightXmlTreeBuilder& builder) {
  if (fed == FeedResult::ReadError) return "read error";
  if (*builder.GetFailureReason() != '\0')
    return builder.GetFailureReason() + Position(parser);
  const XML_Error error = XML_GetErrorCode(parser);
  if (error != XML_ERROR_NONE) return XML_ErrorString(error) + Position(parser);
  return "no complete root element";
}

}  // namespace

MOKLightXmlParser::MOKLightXmlParser() = default;

MOKLightXmlParser::~MOKLightXmlParser() = default;

int MOKLightXmlParser::Parse(MOKLightXmlInputStream& input,
                             MOKLightXmlElement& root) {
  root.Reset();
  _LastError.clear();
  if (input.IsValid() != 1) {
    _LastError = "cannot be opened";
    return 0;
  }
  XML_Parser parser = XML_ParserCreate(nullptr);
  if (parser == nullptr) {
    _LastError = "out of memory";
    return 0;
  }
  // External entities are never read; Expat's protection against entity
  // expansion attacks stays at its defaults.
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  LightXmlTreeBuilder builder(root);
  builder.Attach(parser);
  const FeedResult fed = FeedParser(parser, input);
  const bool read = fed == FeedResult::Read && builder.IsComplete();
  if (!read) _LastError = DescribeFailure(parser, fed, builder);
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
