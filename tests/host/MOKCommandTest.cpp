#include <gtest/gtest.h>

#include "MOKCommand.h"
#include "MOKDialog.h"

namespace {

// A command that counts its destructions.
class CountedCommand : public MOKCommand {
 public:
  explicit CountedCommand(int& destroyed)
      : MOKCommand("CountedCommand", 3), _Destroyed(destroyed) {}
  ~CountedCommand() override { ++_Destroyed; }

 private:
  int& _Destroyed;
};

class MOKCommandTest : public ::testing::Test {
 protected:
  void TearDown() override {
    MOKCommand::FlushDelayedDestructions();
    EXPECT_EQ(MOKBaseUnknown::CountLiveObjects(), 0u);
  }

  int _Destroyed = 0;
};

// Tests that a requested destruction waits for the event loop's flush.
TEST_F(MOKCommandTest, DestructionWaitsForTheFlush) {
  (new CountedCommand(_Destroyed))->RequestDelayedDestruction();
  EXPECT_EQ(_Destroyed, 0);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
  EXPECT_EQ(_Destroyed, 1);
}

// Tests that a second request for the same command deletes it once.
TEST_F(MOKCommandTest, RepeatedRequestDeletesOnce) {
  MOKCommand* command = new CountedCommand(_Destroyed);
  command->RequestDelayedDestruction();
  command->Cancel(nullptr, nullptr);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 1);
  EXPECT_EQ(_Destroyed, 1);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 0);
}

// Tests that commands and dialogs are flushed together.
TEST_F(MOKCommandTest, FlushDeletesCommandsAndDialogs) {
  (new CountedCommand(_Destroyed))->RequestDelayedDestruction();
  (new MOKDialog(nullptr, "Panel"))->RequestDelayedDestruction();
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 2);
}

// Tests that an object deleted directly leaves the pending list.
TEST_F(MOKCommandTest, DirectDeletionWithdrawsTheRequest) {
  MOKCommand* command = new CountedCommand(_Destroyed);
  command->RequestDelayedDestruction();
  delete command;
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 0);
  EXPECT_EQ(_Destroyed, 1);
}

}  // namespace
