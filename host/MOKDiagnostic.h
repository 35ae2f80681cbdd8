#ifndef MOKDiagnostic_h
#define MOKDiagnostic_h

#include "MOKHostExport.h"
#include "MOKUnicodeString.h"

// The host's channel for what a library must tell the user about a run
// that failed or is doubtful. Success says nothing through it.
//
// Every line of the message is written as "<source>: <line>", the whole
// message at once, to standard error, or appended to the file named by
// "MOK_DIAGNOSTIC_FILE" when that variable is set and not empty. Never
// throws: a message that cannot be built or written is dropped.
MOKHOST_EXPORT void MOKReportDiagnostic(const char* source,
                                        const MOKUnicodeString& message);

#endif
