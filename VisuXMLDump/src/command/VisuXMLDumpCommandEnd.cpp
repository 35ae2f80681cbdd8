// The end of an interactive dump: the notification and the command's
// delayed destruction.
#include <memory>
#include <new>

#include "MOKDlgNotify.h"
#include "MOKMsgCatalog.h"
#include "MOKUnicodeString.h"
#include "VisuXMLDumpCommand.h"
#include "VisuXMLNoThrow.h"

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
  // Made before the texts, so that the catalog is not read for a panel
  // that could not be made. Owned here until the host keeps it or has
  // queued its destruction: the texts, the display and the request may
  // each run out of memory and throw.
  std::unique_ptr<MOKDlgNotify> panel(new (std::nothrow) MOKDlgNotify(
      parent, "VisuXMLDumpNotifyPanel", kNotifyPanelStyle));
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
  panel.release();
}

}  // namespace

// Without memory for the panel the outcome goes unshown, but the command
// still ends.
void VisuXMLDumpCommand::EndDump(MOKDialog* parent, unsigned char success) {
  if (parent != nullptr) {
    VisuXMLGuard(false, [parent, success]() {
      ShowDumpOutcome(parent, success);
      return true;
    });
  }
  VisuXMLGuard(false, [this]() {
    RequestDelayedDestruction();
    return true;
  });
}
