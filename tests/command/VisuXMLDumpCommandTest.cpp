#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "FailingAllocator.h"
#include "MOKCallJournal.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLDumpCommand.h"
#include "VisuXMLDumpControler.h"

namespace {

// What a test command answers, and what it saw of its own life.
struct CommandProbe {
  int context = 0;
  VisuXMLDumpControler* controler = nullptr;
  int controlerRequests = 0, dumpsRun = 0, destroyed = 0;
};

// A controller whose dump writes nothing and returns a chosen result.
struct ProbeControler : VisuXMLDumpControler {
  explicit ProbeControler(VisuXMLError result) : _Result(result) {}
  VisuXMLError DumpXML() override { return _Result; }
  MOKUnicodeString GetXMLDumpName() override { return "CommandProbe"; }
  VisuXMLError _Result;
};

// A dump command answering and recording through a probe that outlives it.
struct ProbeDumpCommand : VisuXMLDumpCommand {
  explicit ProbeDumpCommand(CommandProbe& probe)
      : VisuXMLDumpCommand("ProbeDumpCommand"), _Probe(probe) {}
  ~ProbeDumpCommand() override { ++_Probe.destroyed; }
  int CheckDumpContext() override { return _Probe.context; }
  VisuXMLDumpControler* GetDumpControler() override {
    ++_Probe.controlerRequests;
    return _Probe.controler;
  }
  void RunDump() override { ++_Probe.dumpsRun; }
  VisuXMLDumpControler* Controler() const { return _pDumpControler; }
  using VisuXMLDumpCommand::EndDump;
  CommandProbe& _Probe;
};

// An interactive run with its notifications logged to a file of its own and
// its catalog and dialog calls journaled; no command or dialog may be left
// once the delayed destructions ran.
class VisuXMLDumpCommandTest : public ::testing::Test {
 protected:
  void TearDown() override {
    MOKCommand::FlushDelayedDestructions();
    EXPECT_EQ(MOKBaseUnknown::CountLiveObjects(), 0u);
  }
  std::string Log() const { return ReadWholeFile(_Directory.File("notify.log")); }

  TemporaryDirectory _Directory;
  ScopedEnvironment _Temp{"MOKTemp", _Directory.Path().c_str()};
  ScopedEnvironment _Log{"MOK_NOTIFY_LOG", _Directory.File("notify.log").c_str()};
  ProbeControler _Controler{0};
  MOKDialog _Parent{nullptr, "ProbeParent"};
  CommandProbe _Probe{0, &_Controler};
  MOKCallJournal _Calls;
};

// Tests that a refused context (no controller asked), a missing controller
// and a failed initialisation each end the command without RunDump.
TEST_F(VisuXMLDumpCommandTest, FailedStartEndsTheCommand) {
  ProbeControler failing(1);
  CommandProbe rows[] = {{1, &_Controler}, {0, nullptr}, {0, &failing}};
  for (CommandProbe& probe : rows) {
    SCOPED_TRACE(&probe - rows);
    ProbeDumpCommand* command = new ProbeDumpCommand(probe);
    EXPECT_EQ(command->Activate(nullptr, nullptr), 0);
    EXPECT_EQ(probe.controlerRequests, 1 - probe.context);
    EXPECT_EQ(command->Controler(), probe.context ? nullptr : probe.controler);
    EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
    EXPECT_EQ(probe.dumpsRun, 0);
    EXPECT_EQ(probe.destroyed, 1);
  }
}

// Tests that a started dump keeps the command alive, Desactivate included,
// until EndDump notifies the completion and releases dialog and command,
// the panel being made before its title and message are read.
TEST_F(VisuXMLDumpCommandTest, CompletedDumpIsNotifiedAndReleased) {
  ProbeDumpCommand* command = new ProbeDumpCommand(_Probe);
  EXPECT_EQ(command->Activate(nullptr, nullptr), 0);
  EXPECT_EQ(command->Desactivate(nullptr, nullptr), 0);
  EXPECT_EQ(_Probe.dumpsRun, 1);
  EXPECT_EQ(command->Controler(), &_Controler);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 0);
  command->EndDump(&_Parent, 1);
  EXPECT_EQ(Log(), "XML Dump\tThe XML dump completed.\n");
  EXPECT_EQ(_Calls.Read(), "MOKDlgNotify VisuXMLDumpNotifyPanel\n"
                           "BuildMessage VisuXMLDumpCommandNotifyPanel.Title\n"
                           "BuildMessage VisuXMLDumpCommandNotifyPanel.DumpCompleted\n");
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 2);
  EXPECT_EQ(_Probe.destroyed, 1);
}

// Tests the notification of EndDump: failure text, default texts without
// catalog, nothing (not even a catalog read) without parent or without
// memory for the dialog.
TEST_F(VisuXMLDumpCommandTest, EndDumpNotifies) {
  const struct {
    MOKDialog* Parent;
    int Success, NoCatalog, FailAt, Released;
    const char* Log;
  } rows[] = {{&_Parent, 0, 0, 0, 2, "XML Dump\tThe XML dump failed.\n"},
              {&_Parent, 1, 1, 0, 2,
               "ERROR : Unable to read title in catalog!\t"
               "ERROR : Unable to read message in catalog!\n"},
              {nullptr, 1, 0, 0, 1, ""},
              {&_Parent, 1, 0, 1, 1, ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    std::remove(_Directory.File("notify.log").c_str());
    _Calls.Reset();
    // The first catalog found is the one read: here one without the keys.
    WriteWholeFile(_Directory.File("VisuXMLDumpCommand.catalog"), "");
    ScopedEnvironment catalogs("MOK_CATALOG_PATH", row.NoCatalog ? _Directory.Path().c_str() : nullptr);
    {
      ScopedAllocationFailure failure(row.FailAt);
      (new ProbeDumpCommand(_Probe))->EndDump(row.Parent, static_cast<unsigned char>(row.Success));
    }
    EXPECT_EQ(Log(), row.Log);
    EXPECT_EQ(_Calls.Read().empty(), *row.Log == '\0') << _Calls.Read();
    EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), row.Released);
  }
}

// Tests that Cancel ends the command and returns 0.
TEST_F(VisuXMLDumpCommandTest, CancelEndsTheCommand) {
  EXPECT_EQ((new ProbeDumpCommand(_Probe))->Cancel(nullptr, nullptr), 0);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
}

// Tests that the class registers once, under its base in its framework,
// and that instances answer with that registration.
TEST_F(VisuXMLDumpCommandTest, RegistersOnce) {
  const MOKMetaClass* meta = VisuXMLDumpCommand::MetaObject();
  ProbeDumpCommand command(_Probe);
  EXPECT_EQ(command.GetMetaObject(), meta);
  EXPECT_EQ(MOKMetaClass::CountRetrievals("VisuXMLDumpCommand"), 1);
  EXPECT_STREQ(command.IsA(), "VisuXMLDumpCommand");
  EXPECT_EQ(meta->GetBaseMetaObject(), MOKCommand::MetaObject());
  EXPECT_STREQ(meta->GetFrameworkName(), "VisuDebugTools");
  EXPECT_EQ(command.IsAKindOf("MOKCommand"), 1);
  EXPECT_EQ(command.IsAKindOf("MOKDialog"), 0);
}

// Tests that versions up to 2 start the command in mode 1, later ones in 3
// (each in a child process: the version settles once per process).
TEST(VisuXMLDumpCommandModeTest, StartsByVersion) {
  const struct { const char* Version; int Mode; } rows[] = {{"2", 1}, {"3", 3}, {"6", 3}, {"x", 1}};
  for (const auto& row : rows) {
    ScopedEnvironment variable("VISU_XML_DUMP_VERSION", row.Version);
    CommandProbe probe;
    EXPECT_EXIT(std::_Exit(ProbeDumpCommand(probe).GetMode()),
                ::testing::ExitedWithCode(row.Mode), "") << row.Version;
  }
}

}  // namespace
