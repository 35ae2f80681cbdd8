// A dump driven by the controller alone, without the interactive command.
#include "GuideSamples.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLMarkup.h"

namespace {

class NoteDumpControler : public VisuXMLDumpControler {
 public:
  MOKUnicodeString GetXMLDumpName() override { return "Notes"; }

  VisuXMLError DumpXML() override {
    VisuXMLAttribute::CreateXMLAttribute("Weight", VisuXMLRealAttribute);
    VisuXMLMarkup::CreateXMLMarkup("Notes", VisuXMLRootMarkup);
    VisuXMLMarkup::CreateXMLMarkup("Note", VisuXMLStandardMarkup);
    VisuXMLMarkup::AttachAttribute("Note", "Weight", VisuXMLRequiredAttribute);
    VisuXMLMarkup::AttachMarkup("Notes", "Note", VisuXMLAtLeastOnce);

    MOKUnicodeString weight;
    BuildUnicodeStringFromFloatValue(0.125f, weight, 0);  // "0.13"
    VisuXMLMarkup::OpenMarkup("Notes");
    VisuXMLMarkup::OpenMarkup("Note");
    VisuXMLMarkup::SetAttributeValue("Weight", weight);
    VisuXMLMarkup::SetText("first note");
    VisuXMLMarkup::CloseMarkup("Note");
    VisuXMLMarkup::CloseMarkup("Notes");
    return 0;
  }
};

}  // namespace

VisuXMLError RunDirectDump() {
  NoteDumpControler controler;
  VisuXMLError result = controler.InitializeControler();
  if (result == 0) result = controler.FinishXMLDump();
  return result;
}  // the controller's destructor tears the grammar down
