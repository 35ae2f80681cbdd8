#include "RobustnessSupport.h"

namespace {

// A controller whose dump opens markups and never closes them.
class AbandoningControler : public VisuXMLDumpControler {
 public:
  VisuXMLError DumpXML() override {
    VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup);
    VisuXMLMarkup::OpenMarkup("Scene");
    return VisuXMLMarkup::OpenMarkup("Scene");
  }
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }
};

// Calls in orders a careless client could use: each leaves the library
// usable, with no crash and no leak (the sanitizer build checks at exit).
class CallSequenceTest : public ::testing::Test {
 protected:
  CallSequenceTest() : _Output("MOKTemp", _Temporary.Path().c_str()) {}

  bool WroteScene(unsigned int counter) {
    MOKLightXmlElement tree;
    return ParseText(ReadWholeFile(DumpFile(_Temporary.Path(), counter)), tree) &&
           SameTree(tree, ExpectedScene(), true);
  }

  TemporaryDirectory _Temporary;
  ScopedEnvironment _Output;
};

// Tests that finishing before any dump, and stream calls with nothing
// declared, find nothing, count nothing and do nothing harmful.
TEST_F(CallSequenceTest, CallsWithNothingDeclared) {
  EXPECT_EQ(SceneControler().FinishXMLDump(), 0u);
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), 1u);
  EXPECT_EQ(VisuXMLMarkup::SetAttributeValue("Name", "x"), 0u);
  EXPECT_EQ(VisuXMLMarkup::SetText("t"), 0u);
  EXPECT_EQ(VisuXMLMarkup::OpenMarkup("Scene"), 1u);
  EXPECT_EQ(VisuXMLMarkup::CloseMarkup("Scene"), 1u);
  EXPECT_EQ(VisuXMLMarkup::GetXMLStreamNode(), nullptr);
  VisuXMLMarkup::ClearMarkupsHistory();
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLAttribute::DestroyAttributes();
}

// Tests that a controller destroyed with markups open, two dumps before
// one finish, and another controller destroyed between dump and finish
// still give complete documents.
TEST_F(CallSequenceTest, InterleavedControlersWriteCompleteDocuments) {
  { AbandoningControler().InitializeControler(); }
  SceneControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(controler.InitializeControler(), 0u);  // declarations refused
  delete new SceneControler;
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), 2u);
  EXPECT_TRUE(WroteScene(1));
}

// Tests that copies of a controller share nothing they would free twice.
TEST_F(CallSequenceTest, CopiedControlersFinishOnce) {
  SceneControler original;
  ASSERT_EQ(original.InitializeControler(), 0u);
  SceneControler copy(original);
  SceneControler assigned;
  assigned = original;
  EXPECT_EQ(copy.FinishXMLDump(), 0u);
  EXPECT_EQ(original.FinishXMLDump(), 0u);
  EXPECT_EQ(assigned.FinishXMLDump(), 0u);
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), 2u);
}

// Tests that teardown in the wrong order, with markups open that point at
// the attributes, frees everything without touching freed memory.
TEST_F(CallSequenceTest, TeardownInAnyOrder) {
  ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute("Name", VisuXMLTextAttribute), 0u);
  ASSERT_EQ(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup), 0u);
  ASSERT_EQ(VisuXMLMarkup::AttachAttribute("Scene", "Name", VisuXMLRequiredAttribute), 0u);
  ASSERT_EQ(VisuXMLMarkup::OpenMarkup("Scene"), 0u);
  ASSERT_EQ(VisuXMLMarkup::SetAttributeValue("Name", "x"), 0u);
  VisuXMLAttribute::DestroyAttributes();
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLMarkup::ClearMarkupsHistory();
  EXPECT_EQ(VisuXMLMarkup::GetXMLStreamNode(), nullptr);
  EXPECT_EQ(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup), 0u);
  VisuXMLMarkup::DestroyMarkups();
}

// Tests that the dump counter running past its largest value goes on
// writing whole documents under distinct names.
TEST_F(CallSequenceTest, CounterPastItsLimit) {
  VisuXMLDumpControlerTestAccess::SetCounter(4294967294u);
  SceneControler controler;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(controler.InitializeControler(), 0u);
    EXPECT_EQ(controler.FinishXMLDump(), 0u);
  }
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), 1u);
  int documents = 0;
  for (const char* name : {"Scene4294967294.xml", "Scene-2.xml",
                           "Scene4294967295.xml", "Scene-1.xml", "Scene0.xml"}) {
    MOKLightXmlElement tree;
    if (!ParseText(ReadWholeFile(_Temporary.File(name)), tree)) continue;
    EXPECT_TRUE(SameTree(tree, ExpectedScene(), true)) << name;
    ++documents;
  }
  EXPECT_EQ(documents, 3);
}

// Tests that 10,000 dumps in one process all succeed, are numbered one
// after the other, write the right documents and leave memory flat (files
// go to memory when the machine offers it: this is not about the disk).
TEST(StressTest, ManyDumpsInOneProcess) {
  constexpr unsigned int kDumps = 10000;
  ScopedEnvironment base("TMPDIR", ::access("/dev/shm", W_OK) == 0
                                       ? "/dev/shm" : std::getenv("TMPDIR"));
  TemporaryDirectory temporary;
  ScopedEnvironment output("MOKTemp", temporary.Path().c_str());
  const double start = NowSeconds();
  unsigned int failures = 0;
  long residentAtTenth = 0;
  for (unsigned int i = 1; i <= kDumps; ++i) {
    SceneControler controler;
    failures += controler.InitializeControler() != 0 || controler.FinishXMLDump() != 0;
    if (i == kDumps / 10) residentAtTenth = PeakResidentKilobytes();
  }
  const long growth = PeakResidentKilobytes() - residentAtTenth;
  std::printf("[ measured ] %u dumps: %.2f s, resident growth %ld kB\n", kDumps,
              NowSeconds() - start, growth);
  EXPECT_EQ(failures, 0u);
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), kDumps + 1);
  EXPECT_EQ(CountEntries(temporary.Path()), std::size_t{kDumps});
  for (unsigned int counter = 1; counter <= kDumps; ++counter) {
    MOKLightXmlElement written;
    ASSERT_TRUE(ParseText(ReadWholeFile(DumpFile(temporary.Path(), counter)), written));
    ASSERT_TRUE(SameTree(written, ExpectedScene(), true)) << counter;
  }
  // Allocator slack, larger under the sanitizers' quarantine.
  EXPECT_LT(growth, kSizeDivisor > 1 ? 32768 : 4096);
}

}  // namespace
