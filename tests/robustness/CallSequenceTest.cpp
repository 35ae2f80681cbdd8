#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "RobustnessSupport.h"
#include "ScopedEnvironment.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

namespace {

// A controller whose dump is whatever the test hands it.
class ScriptedControler : public VisuXMLDumpControler {
 public:
  explicit ScriptedControler(std::function<VisuXMLError()> dump)
      : _Dump(std::move(dump)) {}
  VisuXMLError DumpXML() override { return _Dump(); }
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }

 private:
  std::function<VisuXMLError()> _Dump;
};

VisuXMLError DeclareScene() {
  VisuXMLError result = VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup);
  result |= VisuXMLMarkup::CreateXMLMarkup("Object", VisuXMLStandardMarkup);
  result |= VisuXMLMarkup::AttachMarkup("Scene", "Object",
                                        static_cast<VisuXMLMarkupToMarkupLink>(3));
  return result;
}

// Calls in orders a careless client could use: each must leave the library
// usable, with no crash and no leak (the sanitizer build checks at exit).
class CallSequenceTest : public ::testing::Test {
 protected:
  CallSequenceTest() : _Output("MOKTemp", _Temporary.Path().c_str()) {}

  MOKLightXmlElement ReadDump(unsigned int counter) {
    MOKLightXmlElement tree;
    ParseText(ReadWholeFile(_Temporary.File("Scene" + std::to_string(counter) +
                                            ".xml")),
              tree);
    return tree;
  }

  TemporaryDirectory _Temporary;
  ScopedEnvironment _Output;
};

// Tests that finishing before any dump finds nothing and counts nothing.
TEST_F(CallSequenceTest, FinishWithoutDumpFindsNothing) {
  SceneControler controler;
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), 1u);
}

// Tests that a controller destroyed with markups still open leaves a clean
// library: the next controller declares and dumps as if first.
TEST_F(CallSequenceTest, ControlerDestroyedMidStreamLeavesACleanLibrary) {
  {
    ScriptedControler abandoned([]() {
      DeclareScene();
      VisuXMLMarkup::OpenMarkup("Scene");
      VisuXMLMarkup::OpenMarkup("Object");
      return VisuXMLError{0};
    });
    EXPECT_EQ(abandoned.InitializeControler(), 0u);
  }
  SceneControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  ASSERT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_TRUE(SameTree(ReadDump(1), ExpectedScene(), true));
}

// Tests that two dumps run before either is finished keep the last tree
// and free the first.
TEST_F(CallSequenceTest, TwoDumpsBeforeOneFinish) {
  SceneControler controler;
  ASSERT_EQ(controler.InitializeControler(), 0u);
  // The grammar is declared already: the second declarations are refused,
  // the stream runs on the first ones.
  EXPECT_EQ(controler.InitializeControler(), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(controler.FinishXMLDump(), 0u);
  EXPECT_EQ(VisuXMLDumpControlerTestAccess::Counter(), 2u);
  EXPECT_TRUE(SameTree(ReadDump(1), ExpectedScene(), true));
}

// Tests that two controllers alive at once, one destroyed between the
// other's dump and finish, still give a complete document.
TEST_F(CallSequenceTest, OtherControlerDestroyedBetweenDumpAndFinish) {
  SceneControler first;
  auto* second = new SceneControler;
  ASSERT_EQ(first.InitializeControler(), 0u);
  delete second;
  EXPECT_EQ(first.FinishXMLDump(), 0u);
  EXPECT_TRUE(SameTree(ReadDump(1), ExpectedScene(), true));
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

// Tests that stream calls with nothing declared at all do nothing harmful.
TEST_F(CallSequenceTest, StreamWithoutGrammar) {
  EXPECT_EQ(VisuXMLMarkup::SetAttributeValue("Name", "x"), 0u);
  EXPECT_EQ(VisuXMLMarkup::SetText("t"), 0u);
  EXPECT_EQ(VisuXMLMarkup::OpenMarkup("Scene"), 1u);
  EXPECT_EQ(VisuXMLMarkup::CloseMarkup("Scene"), 1u);
  EXPECT_EQ(VisuXMLMarkup::GetXMLStreamNode(), nullptr);
  VisuXMLMarkup::ClearMarkupsHistory();
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLAttribute::DestroyAttributes();
}

// Tests that teardown in the wrong order, with markups open that point at
// the attributes, frees everything without touching freed memory.
TEST_F(CallSequenceTest, TeardownInAnyOrder) {
  ASSERT_EQ(VisuXMLAttribute::CreateXMLAttribute("Name", VisuXMLTextAttribute), 0u);
  ASSERT_EQ(DeclareScene(), 0u);
  ASSERT_EQ(VisuXMLMarkup::AttachAttribute("Scene", "Name", VisuXMLRequiredAttribute), 0u);
  ASSERT_EQ(VisuXMLMarkup::OpenMarkup("Scene"), 0u);
  ASSERT_EQ(VisuXMLMarkup::SetAttributeValue("Name", "x"), 0u);
  ASSERT_EQ(VisuXMLMarkup::OpenMarkup("Object"), 0u);
  VisuXMLAttribute::DestroyAttributes();
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLMarkup::ClearMarkupsHistory();
  EXPECT_EQ(VisuXMLMarkup::GetXMLStreamNode(), nullptr);
  EXPECT_EQ(DeclareScene(), 0u);
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
  std::size_t documents = 0;
  for (const char* name : {"Scene4294967294.xml", "Scene-2.xml",
                           "Scene4294967295.xml", "Scene-1.xml", "Scene0.xml"}) {
    MOKLightXmlElement tree;
    if (ParseText(ReadWholeFile(_Temporary.File(name)), tree)) {
      EXPECT_TRUE(SameTree(tree, ExpectedScene(), true)) << name;
      ++documents;
    }
  }
  EXPECT_EQ(documents, 3u);
}

}  // namespace
