// A client built against the installed package: one dump of a tiny
// document into the current directory.
#include <cstdlib>
#include <iostream>

#include "MOKLightXmlElement.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLMarkup.h"

class TinyDumpControler : public VisuXMLDumpControler {
 public:
  MOKUnicodeString GetXMLDumpName() override { return "Tiny"; }
  VisuXMLError DumpXML() override {
    VisuXMLMarkup::CreateXMLMarkup("Tiny", VisuXMLRootMarkup);
    VisuXMLMarkup::OpenMarkup("Tiny");
    return VisuXMLMarkup::CloseMarkup("Tiny");
  }
};

int main() {
  ::setenv("MOKTemp", ".", 0);  // interactive dumps go to MOKTemp
  TinyDumpControler controler;
  VisuXMLError result = controler.InitializeControler();
  if (result == 0) result = controler.FinishXMLDump();
  std::cout << "dump result " << result << "\n";
  return result == 0 ? 0 : 1;
}
