#ifndef ControlerTestAccess_h
#define ControlerTestAccess_h

#include <string>

#include "VisuXMLDumpControler.h"

// Reads and sets the controller's class-wide state from tests.
class VisuXMLDumpControlerTestAccess {
 public:
  static unsigned int Counter() { return VisuXMLDumpControler::_DumpCounter; }
  static void SetCounter(unsigned int counter) {
    VisuXMLDumpControler::_DumpCounter = counter;
  }
  static std::string InputDirectory() {
    return std::string(VisuXMLDumpControler::_PathToInputDirectory);
  }
  static std::string OutputDirectory() {
    return std::string(VisuXMLDumpControler::_PathToOutputDirectory);
  }
  static std::string TestCaseName() {
    return std::string(VisuXMLDumpControler::_TestCaseName);
  }
  static unsigned char ComparisonFailed() {
    return VisuXMLDumpControler::_sComparisonFailed;
  }
};

#endif
