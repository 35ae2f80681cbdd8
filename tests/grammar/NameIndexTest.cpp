// The registry index answers from its memory of recent names; every
// declaration and every clearing must show at once.
#include "grammar/NameIndex.h"

#include <gtest/gtest.h>

namespace {

struct Record {
  int id;
};

class NameIndexTest : public ::testing::Test {
 protected:
  // The index itself never frees its table: a registry clears it.
  void TearDown() override { index_.Clear(); }

  Record* Find(const char* name) {
    Record* record = nullptr;
    EXPECT_TRUE(index_.Lookup(MOKUnicodeString(name), &record));
    return record;
  }

  NameIndex<Record> index_;
  Record first_{1};
  Record second_{2};
};

// Tests that a name looked up before is found again, among many names.
TEST_F(NameIndexTest, FindsNamesAgain) {
  Record records[100];
  for (int i = 0; i < 100; ++i)
    index_.Insert(MOKUnicodeString(("M" + std::to_string(i)).c_str()),
                  &records[i]);
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < 100; ++i)
      EXPECT_EQ(Find(("M" + std::to_string(i)).c_str()), &records[i]);
  EXPECT_EQ(Find("M100"), nullptr);
}

// Tests that a newer record of a name already looked up wins at once.
TEST_F(NameIndexTest, NewerRecordWinsAfterLookup) {
  index_.Insert("a", &first_);
  EXPECT_EQ(Find("a"), &first_);
  index_.Insert("a", &second_);
  EXPECT_EQ(Find("a"), &second_);
}

// Tests that a cleared index forgets names it had just answered.
TEST_F(NameIndexTest, ClearForgetsRecentNames) {
  index_.Insert("a", &first_);
  EXPECT_EQ(Find("a"), &first_);
  index_.Clear();
  EXPECT_EQ(Find("a"), nullptr);
  index_.Insert("b", &second_);
  EXPECT_EQ(Find("a"), nullptr);
  EXPECT_EQ(Find("b"), &second_);
}

}  // namespace
