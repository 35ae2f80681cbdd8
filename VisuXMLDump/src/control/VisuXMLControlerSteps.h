#ifndef VisuXMLControlerSteps_h
#define VisuXMLControlerSteps_h

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLDumpControler.h"
#include "control/VisuXMLReplayDiagnostic.h"

// The steps of finishing a dump that go beyond writing or comparing it:
// saying what went wrong, and failing a replay whole.
class VisuXMLControlerSteps {
 public:
  // Outside replay: writes the stream's tree (if any) to the dump file.
  // Result 2, and a diagnostic saying why, when it is not written; a
  // written document holding error elements, or markups left open, are
  // told too.
  static VisuXMLError WriteDump(VisuXMLDumpControler& controler,
                                const MOKUnicodeString& openMarkups);
  // In replay, a dump that left markups open: failed, whatever tree it has.
  static VisuXMLError FailUnclosedReplay(VisuXMLDumpControler& controler,
                                         const MOKUnicodeString& openMarkups);
  // Writes the output and the report of a failed replay, arms the exit hook
  // and tells the user; returns 6.
  static VisuXMLError FailReplay(VisuXMLDumpControler& controler,
                                 const MOKUnicodeString& outputFileName,
                                 const MOKLightXmlElement& report,
                                 VisuXMLReplayFailure& failure);
};

#endif
