#include <gtest/gtest.h>

#include "MOKCommand.h"
#include "MOKDialog.h"

namespace {

// A command that counts its destructions.
struct CountedCommand : MOKCommand {
  explicit CountedCommand(int& destroyed)
      : MOKCommand("Counted", 3), _Destroyed(destroyed) {}
  ~CountedCommand() override { ++_Destroyed; }
  int& _Destroyed;
};

// Tests that requested destructions wait for the flush, which deletes each
// command and dialog once, and that a direct deletion withdraws a request.
TEST(MOKCommandTest, FlushDeletesRequestedObjectsOnce) {
  int destroyed = 0;
  MOKCommand* command = new CountedCommand(destroyed);
  command->RequestDelayedDestruction();
  command->Cancel(nullptr, nullptr);
  (new MOKDialog(nullptr, "Panel"))->RequestDelayedDestruction();
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 2);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 0);
  command = new CountedCommand(destroyed);
  command->RequestDelayedDestruction();
  delete command;
  EXPECT_EQ(MOKCommand::FlushDelayedDestructions(), 0);
  EXPECT_EQ(MOKBaseUnknown::CountLiveObjects(), 0u);
}

}  // namespace
