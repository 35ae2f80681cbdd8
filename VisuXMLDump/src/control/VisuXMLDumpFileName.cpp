#include "VisuXMLDumpFileName.h"

MOKUnicodeString VisuXMLComposeDumpFileName(
    const MOKUnicodeString& directory, const MOKUnicodeString* testCaseName,
    const MOKUnicodeString& dumpName, const char* kind, unsigned int counter) {
  // The host joins directories with a backslash whatever the platform.
  MOKUnicodeString fileName(directory);
  fileName += MOKUnicodeString("\\");
  if (testCaseName != nullptr) {
    fileName += *testCaseName;
    fileName += MOKUnicodeString("_");
  }
  fileName += dumpName;
  fileName += MOKUnicodeString(kind);
  MOKUnicodeString number;
  number.BuildFromNum(counter, "%d");
  fileName += number;
  fileName += MOKUnicodeString(".xml");
  return fileName;
}
