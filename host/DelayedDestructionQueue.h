#ifndef DelayedDestructionQueue_h
#define DelayedDestructionQueue_h

class MOKBaseUnknown;

// The host's list of framework objects waiting to be destroyed by the
// event loop, outside the call that asked for it. Internal to the host.
namespace DelayedDestructionQueue {

// Queues the object once; a second request for it is ignored.
void Request(MOKBaseUnknown* object);
// Removes the object from the queue, e.g. when it is destroyed directly.
void Withdraw(const MOKBaseUnknown* object);
// Deletes every queued object, including those queued by the destructors
// run here, and returns how many were deleted.
int Flush();

}  // namespace DelayedDestructionQueue

#endif
