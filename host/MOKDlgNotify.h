#ifndef MOKDlgNotify_h
#define MOKDlgNotify_h

#include "MOKDialog.h"
#include "MOKHostExport.h"
#include "MOKString.h"
#include "MOKUnicodeString.h"

// A notification dialog: a title and a message the user acknowledges.
// The stand-in host has no screen: DisplayBlocked appends the line
// "<title>\t<message>" to the file named by "MOK_NOTIFY_LOG", or to
// standard error when that variable is unset or the file cannot be opened.
class MOKHOST_EXPORT MOKDlgNotify : public MOKDialog {
 public:
  // The creation is recorded in the open MOKCallJournal.
  MOKDlgNotify(MOKDialog* parent, const MOKString& name, unsigned long style);
  ~MOKDlgNotify() override;

  // Shows the message under the title until the user acknowledges it;
  // returns 1 once acknowledged.
  int DisplayBlocked(const MOKUnicodeString& message,
                     const MOKUnicodeString& title);

  // The style given at construction.
  unsigned long GetStyle() const;

 private:
  unsigned long _Style;
};

#endif
