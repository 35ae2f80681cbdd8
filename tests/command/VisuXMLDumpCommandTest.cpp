#include <gtest/gtest.h>

#include <string>

#include "DumpCommandProbes.h"
#include "FailingAllocator.h"
#include "MOKDialog.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLDumpCommand.h"

namespace {

const char* const kCompletedLine = "XML Dump\tThe XML dump completed.\n";
const char* const kFailedLine = "XML Dump\tThe XML dump failed.\n";
const char* const kDefaultTextsLine =
    "ERROR : Unable to read title in catalog!\t"
    "ERROR : Unable to read message in catalog!\n";

// An interactive run with its notifications logged to a file of its own.
class VisuXMLDumpCommandTest : public ::testing::Test {
 protected:
  void TearDown() override {
    MOKCommand::FlushDelayedDestructions();
    EXPECT_EQ(MOKBaseUnknown::CountLiveObjects(), 0u);
  }

  ProbeDumpCommand* NewCommand(int contextResult,
                               VisuXMLDumpControler* controler) {
    return new ProbeDumpCommand(_Probe, contextResult, controler);
  }
  std::string NotificationLog() const {
    return ReadWholeFile(_Directory.File("notify.log"));
  }

  TemporaryDirectory _Directory;
  ScopedEnvironment _TempDirectory{"MOKTemp", _Directory.Path().c_str()};
  ScopedEnvironment _NotifyLog{"MOK_NOTIFY_LOG",
                               _Directory.File("notify.log").c_str()};
  ProbeControler _Controler{0};
  MOKDialog _Parent{nullptr, "ProbeParent"};
  CommandProbe _Probe;
};

// Tests that a refused context asks for no controller and ends the command.
TEST_F(VisuXMLDumpCommandTest, RefusedContextEndsWithoutController) {
  ProbeDumpCommand* command = NewCommand(1, &_Controler);
  EXPECT_EQ(command->Activate(nullptr, nullptr), 0);
  EXPECT_EQ(_Probe.controlerRequests, 0);
  EXPECT_EQ(command->CurrentControler(), nullptr);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
  EXPECT_EQ(_Probe.destroyed, 1);
}

// Tests that a missing controller ends the command without a dump.
TEST_F(VisuXMLDumpCommandTest, MissingControllerEndsTheCommand) {
  ProbeDumpCommand* command = NewCommand(0, nullptr);
  EXPECT_EQ(command->Activate(nullptr, nullptr), 0);
  EXPECT_EQ(command->CurrentControler(), nullptr);
  EXPECT_EQ(_Probe.dumpsRun, 0);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
}

// Tests that a failed initialisation ends the command before RunDump.
TEST_F(VisuXMLDumpCommandTest, FailedInitialisationSkipsTheDump) {
  ProbeControler failing(1);
  ProbeDumpCommand* command = NewCommand(0, &failing);
  EXPECT_EQ(command->Activate(nullptr, nullptr), 0);
  EXPECT_EQ(command->CurrentControler(), &failing);
  EXPECT_EQ(_Probe.dumpsRun, 0);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
}

// Tests that a started dump keeps the command alive until EndDump, which
// notifies the completion and releases both dialog and command.
TEST_F(VisuXMLDumpCommandTest, CompletedDumpIsNotifiedAndReleased) {
  ProbeDumpCommand* command = NewCommand(0, &_Controler);
  EXPECT_EQ(command->Activate(nullptr, nullptr), 0);
  EXPECT_EQ(_Probe.dumpsRun, 1);
  EXPECT_EQ(command->CurrentControler(), &_Controler);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 0);

  command->FinishDump(&_Parent, 1);
  EXPECT_EQ(NotificationLog(), kCompletedLine);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 2);
  EXPECT_EQ(_Probe.destroyed, 1);
}

// Tests that a failed dump shows the failure message.
TEST_F(VisuXMLDumpCommandTest, FailedDumpShowsTheFailureMessage) {
  NewCommand(0, &_Controler)->FinishDump(&_Parent, 0);
  EXPECT_EQ(NotificationLog(), kFailedLine);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 2);
}

// Tests that a catalog without the keys gives both default texts.
TEST_F(VisuXMLDumpCommandTest, CatalogWithoutKeysGivesDefaultTexts) {
  TemporaryDirectory catalogs;
  WriteWholeFile(catalogs.File("VisuXMLDumpCommand.catalog"), "# empty\n");
  ScopedEnvironment path("MOK_CATALOG_PATH", catalogs.Path().c_str());
  NewCommand(0, &_Controler)->FinishDump(&_Parent, 1);
  EXPECT_EQ(NotificationLog(), kDefaultTextsLine);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 2);
}

// Tests that without a parent dialog nothing is shown.
TEST_F(VisuXMLDumpCommandTest, NoParentDialogShowsNothing) {
  NewCommand(0, &_Controler)->FinishDump(nullptr, 1);
  EXPECT_FALSE(FileExists(_Directory.File("notify.log")));
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
}

// Tests that a dialog that cannot be allocated still ends the command.
TEST_F(VisuXMLDumpCommandTest, DialogAllocationFailureStillEndsCommand) {
  ProbeDumpCommand* command = NewCommand(0, &_Controler);
  {
    ScopedAllocationFailure failure(1);
    command->FinishDump(&_Parent, 1);
    EXPECT_TRUE(FailingAllocator::Fired());
  }
  EXPECT_FALSE(FileExists(_Directory.File("notify.log")));
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
}

// Tests that Cancel ends the command and returns 0.
TEST_F(VisuXMLDumpCommandTest, CancelEndsTheCommand) {
  EXPECT_EQ(NewCommand(0, &_Controler)->Cancel(nullptr, nullptr), 0);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
}

// Tests that Desactivate leaves the command alive.
TEST_F(VisuXMLDumpCommandTest, DesactivateKeepsTheCommand) {
  ProbeDumpCommand* command = NewCommand(0, &_Controler);
  EXPECT_EQ(command->Desactivate(nullptr, nullptr), 0);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 0);
  command->Destroy();
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
}

// Tests that ending a command twice destroys it once.
TEST_F(VisuXMLDumpCommandTest, EndingTwiceDestroysOnce) {
  ProbeDumpCommand* command = NewCommand(0, &_Controler);
  command->Cancel(nullptr, nullptr);
  command->Destroy();
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
  EXPECT_EQ(_Probe.destroyed, 1);
}

// Tests that a copy keeps the controller and the mode of the original.
TEST_F(VisuXMLDumpCommandTest, CopyKeepsControllerAndMode) {
  ProbeDumpCommand* original = NewCommand(0, &_Controler);
  original->Activate(nullptr, nullptr);
  ProbeDumpCommand* copy = new ProbeDumpCommand(*original);
  EXPECT_EQ(copy->CurrentControler(), &_Controler);
  EXPECT_EQ(copy->GetMode(), original->GetMode());
  original->Destroy();
  copy->Destroy();
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 2);
}

}  // namespace
