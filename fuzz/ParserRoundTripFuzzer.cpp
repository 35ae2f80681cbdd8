// Arbitrary bytes into the host parser. Whatever it accepts must write back
// as XML that parses into the same tree, and writing that tree again must
// give the very same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"

namespace {

// Names the broken expectation, then stops the run as a crash.
void Fail(const char* condition, int line) {
  std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, line,
               condition);
  std::abort();
}
#define Check(condition) \
  ((condition) ? static_cast<void>(0) : Fail(#condition, __LINE__))

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // The slice size comes from the input too, so that documents are fed to
  // the parser in pieces of every length.
  const std::size_t slice = size == 0 ? 1 : 1 + data[0] % 64;

  MOKLightXmlElement first;
  if (!ParseText(input, first, slice)) {
    // A refused document leaves the root empty.
    Check(first.GetName().GetLengthInByte() == 0);
    Check(first.GetChildCount() == 0 && first.GetAttributeCount() == 0);
    return 0;
  }

  std::string written;
  Check(WriteText(first, written));
  MOKLightXmlElement second;
  Check(ParseText(written, second));
  Check(SameTree(first, second, true));

  std::string rewritten;
  Check(WriteText(second, rewritten));
  Check(rewritten == written);
  return 0;
}
