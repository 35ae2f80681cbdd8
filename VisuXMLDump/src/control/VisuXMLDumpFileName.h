#ifndef VisuXMLDumpFileName_h
#define VisuXMLDumpFileName_h

#include "MOKUnicodeString.h"

// Composes "<directory>\<testCase>_<dumpName><kind><counter>.xml"; the
// test case part (with its "_") is left out when testCaseName is null, as
// in interactive runs. kind is "_Ref_", "_Out_", "_Error_" or "".
MOKUnicodeString VisuXMLComposeDumpFileName(
    const MOKUnicodeString& directory, const MOKUnicodeString* testCaseName,
    const MOKUnicodeString& dumpName, const char* kind, unsigned int counter);

#endif
