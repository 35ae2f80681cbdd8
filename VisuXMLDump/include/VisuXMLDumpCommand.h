#ifndef VisuXMLDumpCommand_h
#define VisuXMLDumpCommand_h

#include "MOKBaseUnknown.h"
#include "MOKCommand.h"
#include "MOKDialog.h"
#include "MOKMetaClass.h"
#include "MOKString.h"
#include "VisuXMLExport.h"

class VisuXMLDumpControler;

// Abstract interactive command that runs one dump when the user starts it
// and tells in a notification whether the dump completed. A derived command
// supplies the context check, the controller and the dump itself; the
// command always ends by asking for its own delayed destruction.
class VISUXML_EXPORT VisuXMLDumpCommand : public MOKCommand {
 public:
  // Starts in the mode GetStartingMode gives; no controller yet.
  explicit VisuXMLDumpCommand(const MOKString& name);
  VisuXMLDumpCommand(const VisuXMLDumpCommand& other);
  VisuXMLDumpCommand& operator=(const VisuXMLDumpCommand& other);
  // Forgets the controller, which the command never owns.
  ~VisuXMLDumpCommand() override;

  // The class is abstract: always null.
  static MOKBaseUnknown* CreateItself();
  // The class's meta-object, registered on first use.
  static MOKMetaClass* MetaObject();
  // Same as MetaObject.
  MOKMetaClass* GetMetaObject() const override;
  // The class's identifier.
  static const MOKGUID& ClassId();
  // The class's registered name, "VisuXMLDumpCommand".
  static const char* ClassName();
  // Same as ClassName.
  const char* IsA() const override;
  // 1 when this class or one of its bases has the given name.
  int IsAKindOf(const char* className) const override;

  // Checks the context, obtains and initialises the controller, then hands
  // over to RunDump; ends the command when any step fails. Returns 0.
  MOKStatusChangeRC Activate(MOKCommand* from,
                             MOKNotification* notification) override;
  // Does nothing; returns 0.
  MOKStatusChangeRC Desactivate(MOKCommand* from,
                                MOKNotification* notification) override;
  // Ends the command; returns 0.
  MOKStatusChangeRC Cancel(MOKCommand* from,
                           MOKNotification* notification) override;

  // 0 when the dump may go on.
  virtual int CheckDumpContext() = 0;
  // The controller to use; null when there is none.
  virtual VisuXMLDumpControler* GetDumpControler() = 0;
  // The derived command's continuation once the controller is initialised.
  virtual void RunDump() = 0;

 protected:
  // Shows whether the dump completed (success non-zero) in a notification
  // on the parent dialog, when there is one, then ends the command.
  void EndDump(MOKDialog* parent, unsigned char success);
  // Ends the command without a notification.
  void DestroyVisuXMLDumpCommand();
  // 1 for dump versions up to 2, 3 otherwise.
  static MOKCommandMode GetStartingMode();

  // Set by Activate; not owned.
  VisuXMLDumpControler* _pDumpControler;

 private:
  static MOKMetaClass* meta_object;
};

#endif
