#include <gtest/gtest.h>

#include "MOKCommand.h"
#include "MOKMetaClass.h"

namespace {

class MOKMetaClassTest : public ::testing::Test {
 protected:
  MOKMetaClass* Register(const char* name, MOKMetaClass* base) {
    return fct_RetrieveMetaObject(name, 1, base, "MOKNull", "MetaTests", 8);
  }
};

// Tests that a name is registered once and answered with the same object.
TEST_F(MOKMetaClassTest, SameNameGivesSameMetaObject) {
  const int before = MOKMetaClass::CountRegistrations();
  MOKMetaClass* first = Register("MetaProbeOnce", nullptr);
  MOKMetaClass* second = Register("MetaProbeOnce", nullptr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(MOKMetaClass::CountRegistrations(), before + 1);
  EXPECT_EQ(MOKMetaClass::CountRetrievals("MetaProbeOnce"), 2);
}

// Tests that IsAKindOf follows the chain of base meta-objects.
TEST_F(MOKMetaClassTest, IsAKindOfFollowsTheBases) {
  MOKMetaClass* base = Register("MetaProbeBase", MOKCommand::MetaObject());
  MOKMetaClass* derived = Register("MetaProbeDerived", base);
  EXPECT_EQ(derived->IsAKindOf("MetaProbeBase"), 1);
  EXPECT_EQ(derived->IsAKindOf("MOKBaseUnknown"), 1);
  EXPECT_EQ(base->IsAKindOf("MetaProbeDerived"), 0);
  EXPECT_EQ(derived->IsAKindOf(nullptr), 0);
}

// Tests that different names get different class identifiers.
TEST_F(MOKMetaClassTest, NamesGetDistinctClassIds) {
  const MOKGUID& first = Register("MetaProbeA", nullptr)->GetClassId();
  const MOKGUID& second = Register("MetaProbeB", nullptr)->GetClassId();
  EXPECT_FALSE(first == second);
}

}  // namespace
