#ifndef VisuXMLNoThrow_h
#define VisuXMLNoThrow_h

#include <new>

#include "VisuXMLResultCodes.h"

// Runs one public operation and answers fallback when memory ran out inside
// it. The host's strings and elements allocate with the throwing operator
// new, and no exception may leave the library into the host. Only
// std::bad_alloc is caught: the operations call back into client code
// (controllers, commands, comparison hooks), and any other exception is the
// client's own, to be seen by the client.
template <typename Result, typename Operation>
Result VisuXMLGuard(Result fallback, Operation&& operation) {
  try {
    return operation();
  } catch (const std::bad_alloc&) {
    return fallback;
  }
}

// Runs one public operation that answers a result code; running out of
// memory inside it answers 3.
template <typename Operation>
VisuXMLError VisuXMLGuardResult(Operation&& operation) {
  return VisuXMLGuard<VisuXMLError>(VisuXMLResult::kNotCreated, operation);
}

#endif
