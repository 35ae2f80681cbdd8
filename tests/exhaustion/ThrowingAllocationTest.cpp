#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "ThrowingAllocator.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpCommand.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLFile.h"
#include "VisuXMLMarkup.h"

namespace {

// A small dump through every public declaration and stream call, with a
// few grammar errors so that error elements are built as well.
class SweepControler : public VisuXMLDumpControler {
 public:
  VisuXMLError DumpXML() override {
    using M = VisuXMLMarkup;
    Call(VisuXMLAttribute::CreateXMLAttribute("Name", VisuXMLTextAttribute));
    Call(VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute));
    Call(M::CreateXMLMarkup("Scene", VisuXMLRootMarkup));
    Call(M::CreateXMLMarkup("Light", VisuXMLStandardMarkup));
    Call(M::CreateXMLMarkup("Object", VisuXMLStandardMarkup));
    Call(M::AttachAttribute("Scene", "Name", VisuXMLRequiredAttribute));
    Call(M::AttachAttribute("Object", "Name", VisuXMLRequiredAttribute));
    Call(M::AttachAttribute("Object", "Size", VisuXMLOptionalAttribute));
    Call(M::AttachMarkup("Scene", "Light", VisuXMLOnlyOnce));
    Call(M::AttachMarkup("Scene", "Object", VisuXMLAtLeastOnce));
    const MOKUnicodeString group[] = {"Light", "Object"};
    Call(M::RegroupMarkups("Scene", group, 2, VisuXMLAtLeastOnce));
    Call(M::OpenMarkup("Scene"));
    Call(M::SetAttributeValue("Name", "demo"));
    Call(M::OpenMarkup("Light"));
    Call(M::SetText("sun"));
    Call(M::CloseMarkup("Light"));
    Call(M::OpenMarkup("Object"));
    Call(M::SetAttributeValue("Size", "1.5"));
    Call(M::OpenMarkup("Ghost"));
    Call(M::CloseMarkup("Object"));
    Call(M::OpenMarkup("Object"));
    Call(M::SetAttributeValue("Name", "box"));
    Call(M::CloseMarkup("Light"));
    Call(M::CloseMarkup("Scene"));
    return 0;
  }
  MOKUnicodeString GetXMLDumpName() override { return "Sweep"; }

  // Every result is a known code: 3 stands for the failed allocation.
  bool ResultsAreCodes() const { return !_UnknownResult; }
  void ForceReplay() { _ForceReplayMode = 1; }
  // The written file; the host joins paths with a backslash.
  std::string FileName() const {
    std::string path = _XMLFileName.GetText();
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
  }

 private:
  void Call(VisuXMLError result) { _UnknownResult |= result > 3; }
  bool _UnknownResult = false;
};

// A dump command running the sweep's dump; it notes its own destruction.
struct SweepCommand : VisuXMLDumpCommand {
  explicit SweepCommand(bool& destroyed)
      : VisuXMLDumpCommand("SweepCommand"), _Destroyed(destroyed) {}
  ~SweepCommand() override { _Destroyed = true; }
  int CheckDumpContext() override { return 0; }
  VisuXMLDumpControler* GetDumpControler() override { return &_Controler; }
  void RunDump() override { _Controler.FinishXMLDump(); }
  using VisuXMLDumpCommand::EndDump;

  SweepControler _Controler;
  bool& _Destroyed;
};

// Runs one whole dump; the text of the written file, empty without one.
std::string DumpOnce() {
  SweepControler controler;
  if (controler.InitializeControler() != 0 || controler.FinishXMLDump() != 0)
    return std::string();
  return ReadWholeFile(controler.FileName());
}

// A tree read from its text, before any allocation is armed.
MOKLightXmlElement Tree(const std::string& text) {
  MOKLightXmlElement tree;
  EXPECT_TRUE(ParseText(text, tree)) << text;
  return tree;
}

// What one armed comparison answered; filled without allocating.
struct ComparisonRun {
  bool escaped = false;
  bool valid = false;
  bool failedBeforeCompare = false;
  bool failed = false;
  unsigned char found = 0;
  unsigned char equal = 0;
};

ComparisonRun CompareArmed(const MOKLightXmlElement& referenceTree,
                           const MOKLightXmlElement& outputTree,
                           std::size_t throwAt) {
  ComparisonRun run;
  MOKLightXmlElement report(MOKUnicodeString("VisuXMLErrorReport"));
  ThrowingAllocator::ThrowAt(throwAt);
  try {
    VisuXMLFile reference(referenceTree);
    VisuXMLFile output(outputTree);
    run.valid = reference.IsFileValid() != 0 && output.IsFileValid() != 0;
    if (run.valid) {
      run.found = reference.SearchForMarkup("VisuXMLError");
      run.failedBeforeCompare = ThrowingAllocator::Fired();
      run.equal = reference.Compare(&output, report);
    }
  } catch (...) {
    run.escaped = true;
  }
  run.failed = ThrowingAllocator::Fired();
  ThrowingAllocator::Disarm();
  return run;
}

class ThrowingAllocationTest : public ::testing::Test {
 protected:
  ~ThrowingAllocationTest() override { ThrowingAllocator::Disarm(); }

  TemporaryDirectory _Temporary;
  ScopedEnvironment _Output{"MOKTemp", _Temporary.Path().c_str()};
};

// Tests that a dump in which any one allocation throws returns from every
// call with a result code, leaves no markup open, and that the next dump
// writes the same document as one that never failed.
TEST_F(ThrowingAllocationTest, DumpSurvivesEveryFailingAllocation) {
  const std::string expected = DumpOnce();
  ASSERT_NE(expected.find("<Scene"), std::string::npos);
  bool fired = true;
  for (std::size_t n = 1; fired; ++n) {
    SCOPED_TRACE("allocation " + std::to_string(n));
    bool escaped = false;
    VisuXMLError initialized = 0;
    VisuXMLError finished = 0;
    VisuXMLError closedAfter = 0;
    {
      SweepControler controler;
      ThrowingAllocator::ThrowAt(n);
      try {
        initialized = controler.InitializeControler();
        finished = controler.FinishXMLDump();
        closedAfter = VisuXMLMarkup::CloseMarkup("Scene");
      } catch (...) {
        escaped = true;
      }
      fired = ThrowingAllocator::Fired();
      ThrowingAllocator::Disarm();
      EXPECT_TRUE(controler.ResultsAreCodes());
    }
    ASSERT_FALSE(escaped);
    EXPECT_TRUE(initialized == 0 || initialized == 3) << initialized;
    EXPECT_TRUE(finished == 0 || finished == 2) << finished;
    EXPECT_TRUE(closedAfter == 1 || closedAfter == 3) << closedAfter;
    EXPECT_EQ(DumpOnce(), expected);
  }
}

// Tests that a dump command in which any one allocation throws returns from
// Activate, EndDump and Cancel, leaving no panel unreleased or released
// twice, whichever step of the notification ran out of memory.
TEST_F(ThrowingAllocationTest, CommandSurvivesEveryFailingAllocation) {
  const std::string logFile = _Temporary.File("notify.log");
  ScopedEnvironment log("MOK_NOTIFY_LOG", logFile.c_str());
  MOKDialog parent(nullptr, "SweepParent");
  bool fired = true;
  for (std::size_t n = 1; fired; ++n) {
    SCOPED_TRACE("allocation " + std::to_string(n));
    bool destroyed = false;
    SweepCommand* const command = new SweepCommand(destroyed);
    bool escaped = false;
    ThrowingAllocator::ThrowAt(n);
    try {
      command->Activate(nullptr, nullptr);
      command->EndDump(&parent, 1);
      command->Cancel(nullptr, nullptr);
    } catch (...) {
      escaped = true;
    }
    fired = ThrowingAllocator::Fired();
    ThrowingAllocator::Disarm();
    ASSERT_FALSE(escaped);
    // A request the host could not queue leaves the command to its owner.
    MOKCommand::FlushDelayedDestructions();
    if (!destroyed) delete command;
    EXPECT_EQ(MOKBaseUnknown::CountLiveObjects(), 0u);
  }
}

// Tests that settling the version never lets an allocation failure of the
// record service out, and that the version then settles whole on a later
// call: the recorded level and the variable both apply.
TEST_F(ThrowingAllocationTest, VersionSettlesAfterFailingAllocations) {
  const std::string levels = _Temporary.File("levels.txt");
  ScopedEnvironment mode("MOK_RECORD_MODE", "capture");
  ScopedEnvironment file("MOK_RECORD_FILE", levels.c_str());
  ScopedEnvironment version("VISU_XML_DUMP_VERSION", "3");
  bool fired = true;
  for (std::size_t n = 1; fired; ++n) {
    SCOPED_TRACE("allocation " + std::to_string(n));
    bool escaped = false;
    ThrowingAllocator::ThrowAt(n);
    try {
      VisuXMLDumpVersion::GetVersionNumber();
    } catch (...) {
      escaped = true;
    }
    fired = ThrowingAllocator::Fired();
    ThrowingAllocator::Disarm();
    ASSERT_FALSE(escaped);
  }
  EXPECT_EQ(VisuXMLDumpVersion::GetVersionNumber(), 3);
  EXPECT_EQ(ReadWholeFile(levels), "VisuXMLDumpLevel=6\n");
}

// Tests that opening an outermost markup that is not the root, any one
// allocation throwing, answers 3 only when nothing was pushed: a root
// opened next is then the outermost markup, and its close hands its tree
// over.
TEST_F(ThrowingAllocationTest, RefusedOutermostMarkupPushesNothingOnThree) {
  bool fired = true;
  for (std::size_t n = 1; fired; ++n) {
    SCOPED_TRACE("allocation " + std::to_string(n));
    ASSERT_EQ(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup), 0u);
    ASSERT_EQ(VisuXMLMarkup::CreateXMLMarkup("Leaf", VisuXMLStandardMarkup), 0u);
    ThrowingAllocator::ThrowAt(n);
    const VisuXMLError opened = VisuXMLMarkup::OpenMarkup("Leaf");
    fired = ThrowingAllocator::Fired();
    ThrowingAllocator::Disarm();
    ASSERT_TRUE(opened == 1 || opened == 3) << opened;
    if (opened == 1) {
      VisuXMLMarkup::CloseMarkup("Leaf");
      delete VisuXMLMarkup::GetXMLStreamNode();
    }
    VisuXMLMarkup::OpenMarkup("Scene");
    VisuXMLMarkup::CloseMarkup("Scene");
    const std::unique_ptr<MOKLightXmlElement> tree(VisuXMLMarkup::GetXMLStreamNode());
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->GetName().GetText(), "Scene");
    VisuXMLMarkup::DestroyMarkups();
    VisuXMLMarkup::ClearMarkupsHistory();
  }
}

// Runs the replays of the sweep in this process and counts the wrong
// answers. The reference of every dump number is the document the first
// replay wrote as its output, having no reference yet.
int CountWrongReplays(const std::string& referenceDirectory,
                      const std::string& outputDirectory) {
  {
    SweepControler first;
    first.ForceReplay();
    if (first.InitializeControler() != 0 || first.FinishXMLDump() != 6)
      return 1;
  }
  const std::string expected =
      ReadWholeFile(outputDirectory + "/TRQxxx_Sweep_Out_1.xml");
  if (expected.find("<Scene") == std::string::npos) return 1;
  constexpr std::size_t kMostDumps = 2000;
  for (std::size_t dump = 2; dump <= kMostDumps; ++dump)
    WriteWholeFile(referenceDirectory + "/TRQxxx_Sweep_Ref_" +
                       std::to_string(dump) + ".xml",
                   expected);
  int wrong = 0;
  bool fired = true;
  for (std::size_t n = 1; fired && n < kMostDumps; ++n) {
    SweepControler controler;
    controler.ForceReplay();
    VisuXMLError finished = 0;
    bool firedBeforeFinish = false;
    ThrowingAllocator::ThrowAt(n);
    try {
      controler.InitializeControler();
      firedBeforeFinish = ThrowingAllocator::Fired();
      finished = controler.FinishXMLDump();
    } catch (...) {
      ++wrong;
    }
    fired = ThrowingAllocator::Fired();
    ThrowingAllocator::Disarm();
    if (finished != 0 && finished != 3 && finished != 6) ++wrong;
    if (fired && !firedBeforeFinish && finished == 0) ++wrong;
  }
  return wrong;
}

// Leaving by _Exit skips the leak check at exit: it is run here instead.
int CountLeaks() {
#ifdef __SANITIZE_ADDRESS__
  return __lsan_do_recoverable_leak_check();
#else
  return 0;
#endif
}

// Tests that a replay in which any one allocation throws never lets the
// exception out and never passes once its comparison lost an allocation.
TEST_F(ThrowingAllocationTest, ReplayNeverPassesAfterAFailure) {
  TemporaryDirectory reference;
  TemporaryDirectory output;
  ScopedEnvironment referenceVariable("KVB_TRQ_REF", reference.Path().c_str());
  ScopedEnvironment outputVariable("KVB_TRQ_OUT", output.Path().c_str());
  ScopedEnvironment testCase("TRQ_LOG_NAME", nullptr);
  // Failed replays arm the host's exit with 110; leaving by _Exit skips it.
  EXPECT_EXIT(std::_Exit(CountWrongReplays(reference.Path(), output.Path()) +
                         CountLeaks()),
              ::testing::ExitedWithCode(0), "");
}

// Tests that comparing trees while any one allocation throws never lets the
// exception out: equal trees never pass once the comparison itself lost an
// allocation, different trees (a changed and a new attribute, a renamed
// and an extra child) always differ.
TEST_F(ThrowingAllocationTest, ComparisonNeverPassesWrongly) {
  const MOKLightXmlElement tree = Tree(
      "<Scene Name=\"demo\" Unit=\"m\"><Light>sun</Light><Object Name=\"box\">"
      "<Shape/></Object><Object Name=\"ball\"><Shape/></Object></Scene>");
  const MOKLightXmlElement changed = Tree(
      "<Scene Name=\"other\" Extra=\"1\"><Camera/><Object Name=\"box\"/>"
      "<Object Name=\"ball\"/><Object Name=\"cone\"/></Scene>");
  for (const MOKLightXmlElement* output : {&tree, &changed}) {
    ComparisonRun run;
    for (std::size_t n = 1; n == 1 || run.failed; ++n) {
      SCOPED_TRACE("allocation " + std::to_string(n));
      run = CompareArmed(tree, *output, n);
      ASSERT_FALSE(run.escaped);
      if (!run.valid) continue;
      const bool mayPass = output == &tree && (!run.failed || run.failedBeforeCompare);
      if (output == &tree && !run.failed) {
        EXPECT_EQ(run.found, 0);
      }
      if (!mayPass || !run.failed) {
        EXPECT_EQ(run.equal, mayPass ? 1 : 0);
      }
    }
  }
}

}  // namespace
