#ifndef GrammarMessage_h
#define GrammarMessage_h

#include "MOKUnicodeString.h"

// Joins fixed message pieces and names into one message, in order.
template <typename... Pieces>
MOKUnicodeString ComposeMessage(const Pieces&... pieces) {
  MOKUnicodeString message;
  ((message += MOKUnicodeString(pieces)), ...);
  return message;
}

#endif
