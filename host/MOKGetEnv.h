#ifndef MOKGetEnv_h
#define MOKGetEnv_h

#include "MOKHostExport.h"

// The value of the named environment variable, or null when it is not set.
// The text stays valid until the variable is changed.
MOKHOST_EXPORT const char* MOKGetEnv(const char* name);

#endif
