#include <gtest/gtest.h>

#include <cstring>

#include "DumpCommandProbes.h"
#include "MOKMetaClass.h"

namespace {

class VisuXMLDumpCommandClassTest : public ::testing::Test {
 protected:
  CommandProbe _Probe;
};

// Tests that the class registers once however often it is asked for.
TEST_F(VisuXMLDumpCommandClassTest, RegistersOnce) {
  MOKMetaClass* first = VisuXMLDumpCommand::MetaObject();
  MOKMetaClass* second = VisuXMLDumpCommand::MetaObject();
  VisuXMLDumpCommand::ClassName();
  EXPECT_EQ(first, second);
  EXPECT_EQ(MOKMetaClass::CountRetrievals("VisuXMLDumpCommand"), 1);
}

// Tests that the registration describes the class to the host.
TEST_F(VisuXMLDumpCommandClassTest, RegistrationDescribesTheClass) {
  const MOKMetaClass* meta = VisuXMLDumpCommand::MetaObject();
  ASSERT_NE(meta, nullptr);
  EXPECT_STREQ(meta->IsA(), "VisuXMLDumpCommand");
  EXPECT_EQ(meta->GetClassKind(), 1);
  EXPECT_EQ(meta->GetBaseMetaObject(), MOKCommand::MetaObject());
  EXPECT_STREQ(meta->GetLinkedName(), "MOKNull");
  EXPECT_STREQ(meta->GetFrameworkName(), "VisuDebugTools");
  EXPECT_EQ(meta->GetObjectSize(), sizeof(VisuXMLDumpCommand));
}

// Tests that an instance answers with the class's run-time information.
TEST_F(VisuXMLDumpCommandClassTest, InstanceAnswersWithClassInformation) {
  ProbeDumpCommand command(_Probe, 0, nullptr);
  EXPECT_EQ(command.GetMetaObject(), VisuXMLDumpCommand::MetaObject());
  EXPECT_STREQ(command.IsA(), "VisuXMLDumpCommand");
  EXPECT_TRUE(VisuXMLDumpCommand::ClassId() ==
              VisuXMLDumpCommand::MetaObject()->GetClassId());
}

// Tests that IsAKindOf follows the class's bases and nothing else.
TEST_F(VisuXMLDumpCommandClassTest, IsAKindOfFollowsTheBases) {
  ProbeDumpCommand command(_Probe, 0, nullptr);
  EXPECT_EQ(command.IsAKindOf("VisuXMLDumpCommand"), 1);
  EXPECT_EQ(command.IsAKindOf("MOKCommand"), 1);
  EXPECT_EQ(command.IsAKindOf("MOKBaseUnknown"), 1);
  EXPECT_EQ(command.IsAKindOf("MOKDialog"), 0);
}

// Tests that the abstract class creates no instance of itself.
TEST_F(VisuXMLDumpCommandClassTest, CreateItselfGivesNull) {
  EXPECT_EQ(VisuXMLDumpCommand::CreateItself(), nullptr);
}

}  // namespace
