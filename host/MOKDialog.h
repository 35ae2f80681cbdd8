#ifndef MOKDialog_h
#define MOKDialog_h

#include "MOKBaseUnknown.h"
#include "MOKHostExport.h"
#include "MOKString.h"

// A window of the host's user interface. The stand-in host has no screen:
// a dialog keeps its parent, name and visibility only. A parent does not
// own its children.
class MOKHOST_EXPORT MOKDialog : public MOKBaseUnknown {
 public:
  // The parent may be null for a top-level dialog.
  MOKDialog(MOKDialog* parent, const MOKString& name);
  MOKDialog(const MOKDialog&) = delete;
  MOKDialog& operator=(const MOKDialog&) = delete;
  ~MOKDialog() override;

  // Shows the dialog, or hides it, as the flags ask.
  void SetVisibility(unsigned long visibility);
  // The last value given to SetVisibility, 0 before.
  unsigned long GetVisibility() const;

  // Has the dialog deleted by the event loop, outside the current call.
  // The dialog must have been allocated with new.
  void RequestDelayedDestruction();

  MOKDialog* GetParent() const;
  const char* GetName() const;

 private:
  MOKDialog* _pParent;
  MOKString _Name;
  unsigned long _Visibility;
};

#endif
