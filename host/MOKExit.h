#ifndef MOKExit_h
#define MOKExit_h

#include "MOKHostExport.h"

// Registers a hook run with its argument when the process ends normally
// (return from main or exit); hooks run in reverse order of registration,
// after every exit handler and static destructor of the host program.
MOKHOST_EXPORT void MOKCallOnExit(int (*hook)(int), int argument);

// Number of hooks registered and not yet run.
MOKHOST_EXPORT int MOKCountExitHooks();

// Flushes the standard streams and ends the process at once with that code,
// without running exit handlers; safe to call from inside an exit hook.
[[noreturn]] MOKHOST_EXPORT void MOKExit(int code);

#endif
