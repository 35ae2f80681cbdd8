#ifndef MOKCommand_h
#define MOKCommand_h

#include "MOKBaseUnknown.h"
#include "MOKHostExport.h"
#include "MOKString.h"

class MOKMetaClass;
// A framework event handed to a command's state changes; the stand-in
// host never sends one, so commands receive null.
class MOKNotification;

// How a command shares the user interface with the other commands; the
// framework gives the values their meaning (1 and 3 are in use).
typedef int MOKCommandMode;
// Result of a command's state change; 0 is the ordinary one.
typedef int MOKStatusChangeRC;

// A command of the host's interactive framework: the framework activates,
// deactivates and cancels it; it asks for its own destruction, which the
// event loop performs later.
class MOKHOST_EXPORT MOKCommand : public MOKBaseUnknown {
 public:
  MOKCommand(const MOKString& name, MOKCommandMode mode);
  MOKCommand(const MOKCommand& other);
  MOKCommand& operator=(const MOKCommand& other);
  ~MOKCommand() override;

  // The class's meta-object ("MOKCommand", derived from "MOKBaseUnknown").
  static MOKMetaClass* MetaObject();
  MOKMetaClass* GetMetaObject() const override;

  // The command becomes the active one.
  virtual MOKStatusChangeRC Activate(MOKCommand* from,
                                     MOKNotification* notification);
  // Another command takes over for a while.
  virtual MOKStatusChangeRC Desactivate(MOKCommand* from,
                                        MOKNotification* notification);
  // The framework abandons the command.
  virtual MOKStatusChangeRC Cancel(MOKCommand* from,
                                   MOKNotification* notification);

  // Has the command deleted by the event loop, outside the current call.
  // The command must have been allocated with new.
  void RequestDelayedDestruction();

  // The mode given at construction.
  MOKCommandMode GetMode() const;
  // The name given at construction.
  const char* GetName() const;

  // The event loop's step: deletes every command and dialog whose
  // destruction was requested and returns how many were deleted.
  static int FlushDelayedDestructions();

 private:
  static MOKMetaClass* meta_object;

  MOKString _Name;
  MOKCommandMode _Mode;
};

#endif
