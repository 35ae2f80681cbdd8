#include <unistd.h>

#include <cstdio>

#include "DumpFixture.h"
#include "Limits.h"
#include "MemoryStreams.h"
#include "ScopedEnvironment.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

namespace {

using Access = VisuXMLDumpControlerTestAccess;

// Calls in orders a careless client could use, in an interactive run: each
// leaves the library usable, with no crash and no leak (the sanitizer
// build checks at exit).
class CallSequenceTest : public DumpFixture {
 protected:
  CallSequenceTest() { Configure(nullptr); }
  bool WroteScene(const std::string& name) {
    MOKLightXmlElement tree;
    return ParseText(ReadWholeFile(_Tmp.File(name)), tree) &&
           SameTree(tree, ExpectedScene(), true);
  }
};

// Tests that a controller destroyed with markups open, two dumps before
// one finish, and another controller destroyed between dump and finish
// still give complete documents; copies of a controller share nothing
// they would free twice.
TEST_F(CallSequenceTest, InterleavedAndCopiedControlersWriteWholeDocuments) {
  { SceneControler({"red", {1.5f}, false, false}).InitializeControler(); }
  SceneControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(controler.InitializeControler(), 0u);
  delete new SceneControler;
  SceneControler copy(controler);
  SceneControler assigned;
  assigned = controler;
  for (SceneControler* finishing : {&controler, &copy, &assigned})
    EXPECT_EQ(finishing->FinishXMLDump(), 0u);
  EXPECT_EQ(Access::Counter(), 2u);
  EXPECT_TRUE(WroteScene("Scene1.xml"));
}

// Tests that teardown in the wrong order, with markups open that point at
// the attributes, frees everything without touching freed memory.
TEST_F(CallSequenceTest, TeardownInAnyOrder) {
  SceneControler({"red", {1.5f}, false, false}).DumpXML();
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
  Access::Counter() = 4294967294u;
  SceneControler controler;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(controler.InitializeControler(), 0u);
    EXPECT_EQ(controler.FinishXMLDump(), 0u);
  }
  EXPECT_EQ(Access::Counter(), 1u);
  int documents = 0;
  for (const char* name : {"Scene4294967294.xml", "Scene-2.xml",
                           "Scene4294967295.xml", "Scene-1.xml", "Scene0.xml"})
    documents += WroteScene(name);
  EXPECT_EQ(documents, 3);
}

// Tests that 10,000 dumps in one process all succeed, are numbered one
// after the other and leave memory flat (files go to memory when the
// machine offers it: this is not about the disk).
TEST(StressTest, ManyDumpsInOneProcess) {
  constexpr unsigned int kDumps = 10000;
  ScopedEnvironment base("TMPDIR", ::access("/dev/shm", W_OK) == 0
                                       ? "/dev/shm"
                                       : std::getenv("TMPDIR"));
  TemporaryDirectory temporary;
  ScopedEnvironment output("MOKTemp", temporary.Path().c_str());
  const double start = NowSeconds();
  unsigned int failures = 0;
  long residentAtTenth = 0;
  for (unsigned int i = 1; i <= kDumps; ++i) {
    SceneControler controler;
    failures +=
        controler.InitializeControler() != 0 || controler.FinishXMLDump() != 0;
    if (i == kDumps / 10) residentAtTenth = PeakResidentKilobytes();
  }
  const long growth = PeakResidentKilobytes() - residentAtTenth;
  std::printf("[ measured ] %u dumps: %.2f s, resident growth %ld kB\n", kDumps,
              NowSeconds() - start, growth);
  EXPECT_EQ(failures, 0u);
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), kDumps + 1);
  EXPECT_EQ(CountEntries(temporary.Path()), std::size_t{kDumps});
  EXPECT_EQ(ReadWholeFile(temporary.File("Scene10000.xml")), kSceneText + "\n");
  // Allocator slack, larger under the sanitizers' quarantine.
  EXPECT_LT(growth, kSizeDivisor > 1 ? 32768 : 4096);
}

}  // namespace
