// The end of an interactive dump: the notification and the command's
// delayed destruction.
#include <new>

#include "MOKDlgNotify.h"
#include "MOKMsgCatalog.h"
#include "MOKUnicodeString.h"
#include "VisuXMLDumpCommand.h"

namespace {

// Dialog flags asked of the host for a modal information panel.
constexpr unsigned long kNotifyPanelStyle = 0x4100200;
// SetVisibility value that hides a dialog.
constexpr unsigned long kHidden = 4;

MOKUnicodeString CatalogText(const char* key, const char* defaultText) {
  return MOKMsgCatalog::BuildMessage("VisuXMLDumpCommand", key, nullptr, 0,
                                     defaultText);
}

void ShowDumpOutcome(MOKDialog* parent, unsigned char success) {
  MOKDlgNotify* panel = new (std::nothrow)
      MOKDlgNotify(parent, "VisuXMLDumpNotifyPanel", kNotifyPanelStyle);
  if (panel == nullptr) return;
  const MOKUnicodeString title =
      CatalogText("VisuXMLDumpCommandNotifyPanel.Title",
                  "ERROR : Unable to read title in catalog!");
  const MOKUnicodeString message =
      CatalogText(success != 0 ? "VisuXMLDumpCommandNotifyPanel.DumpCompleted"
                               : "VisuXMLDumpCommandNotifyPanel.DumpFailed",
                  "ERROR : Unable to read message in catalog!");
  // Any other answer means the host still shows the panel and keeps it.
  if (panel->DisplayBlocked(message, title) == 1) {
    panel->SetVisibility(kHidden);
    panel->RequestDelayedDestruction();
  }
}

}  // namespace

void VisuXMLDumpCommand::EndDump(MOKDialog* parent, unsigned char success) {
  if (parent != nullptr) ShowDumpOutcome(parent, success);
  RequestDelayedDestruction();
}
