#include "LightXmlChildren.h"

#include <cstring>
#include <new>

#include "LightXmlArena.h"
#include "MOKLightXmlElement.h"

namespace {

constexpr std::size_t kLimit = 0xFFFFFFFFu;
// Most elements with children have few: two slots before the first growth.
constexpr std::size_t kFirstCapacity = 2;
// How far ahead the destruction asks for memory, in nodes or blocks.
constexpr std::size_t kAhead = 8;

}  // namespace

LightXmlChildren* LightXmlChildren::Create(std::size_t capacity,
                                           LightXmlArena* arena) {
  if (capacity > kLimit) throw std::bad_alloc();
  const std::size_t bytes = BlockBytes(capacity);
  void* memory =
      arena != nullptr ? arena->Allocate(bytes) : ::operator new(bytes);
  auto* block = new (memory) LightXmlChildren();
  block->_Capacity = static_cast<std::uint32_t>(capacity);
  block->_pArena = arena;
  if (arena != nullptr) arena->Hold();
  return block;
}

void LightXmlChildren::Free(LightXmlChildren* block) {
  LightXmlArena* const arena = block->_pArena;
  block->~LightXmlChildren();
  if (arena != nullptr)
    arena->Release();
  else
    ::operator delete(block);
}

void LightXmlChildren::MakeRoom(LightXmlChildren*& block,
                                LightXmlArena* arena) {
  if (block == nullptr) {
    block = Create(kFirstCapacity, arena);
    return;
  }
  if (block->_Count < block->_Capacity) return;
  if (block->_Capacity == kLimit) throw std::bad_alloc();
  std::size_t capacity = 2 * static_cast<std::size_t>(block->_Capacity);
  if (capacity > kLimit) capacity = kLimit;
  LightXmlChildren* grown = Create(capacity, block->_pArena);
  std::memcpy(grown->Slots(), block->Slots(),
              block->_Count * sizeof(MOKLightXmlElement*));
  grown->_Count = block->_Count;
  Free(block);
  block = grown;
}

MOKLightXmlElement* LightXmlChildren::Take(std::size_t index) {
  MOKLightXmlElement** slots = Slots();
  MOKLightXmlElement* node = slots[index];
  std::memmove(slots + index, slots + index + 1,
               (_Count - index - 1) * sizeof(MOKLightXmlElement*));
  --_Count;
  return node;
}

void* LightXmlChildren::NodeMemory() {
  if (_pArena != nullptr) return _pArena->Allocate(sizeof(MOKLightXmlElement));
  return ::operator new(sizeof(MOKLightXmlElement));
}

// Memory in the arena is not given back one node at a time.
void LightXmlChildren::FreeNodeMemory(void* memory) {
  if (_pArena == nullptr) ::operator delete(memory);
}

// Nodes are exactly host elements: their destructor needs no virtual call.
void LightXmlChildren::DeleteNode(MOKLightXmlElement* node) {
  node->MOKLightXmlElement::~MOKLightXmlElement();
  if (_pArena == nullptr) ::operator delete(node);
}

// Deletes the nodes, each once its own children were detached; the blocks
// of those children take the first slots. Returns how many.
std::size_t LightXmlChildren::DeleteNodesKeepingTheirBlocks() {
  std::size_t kept = 0;
  MOKLightXmlElement** const slots = Slots();
  for (std::size_t i = 0; i < _Count; ++i) {
    // A tree larger than the caches is mostly waiting on memory: each node,
    // then its attribute block, is asked for a few nodes ahead.
    if (i + 2 * kAhead < _Count) __builtin_prefetch(slots[i + 2 * kAhead]);
    if (i + kAhead < _Count)
      __builtin_prefetch(slots[i + kAhead]->_pAttributes);
    MOKLightXmlElement* node = slots[i];
    LightXmlChildren* below = node->_pChildren;
    node->_pChildren = nullptr;
    DeleteNode(node);
    // kept <= i: the slot written has been read already.
    if (below != nullptr) BlockSlots()[kept++] = below;
  }
  return kept;
}

// Depth first over blocks. A block whose nodes are gone but some of whose
// children blocks are still to destroy waits on a stack threaded through
// its own slots: slot 0 links to the block below it, slots 1 to _Count
// hold the blocks still to destroy.
void LightXmlChildren::DestroyTree(LightXmlChildren* block) {
  LightXmlChildren* waiting = nullptr;
  while (block != nullptr || waiting != nullptr) {
    if (block == nullptr) {
      if (waiting->_Count > 0) {
        LightXmlChildren** const pending = waiting->BlockSlots();
        if (waiting->_Count > kAhead) {
          __builtin_prefetch(pending[waiting->_Count - kAhead]);
          LightXmlChildren* const near = pending[waiting->_Count - kAhead / 2];
          for (std::size_t i = 0; i < near->_Count && i < kAhead; ++i)
            __builtin_prefetch(near->Slots()[i]);
        }
        block = pending[waiting->_Count--];
      } else {
        LightXmlChildren* const done = waiting;
        waiting = done->BlockSlots()[0];
        Free(done);
      }
      continue;
    }
    const std::size_t kept = block->DeleteNodesKeepingTheirBlocks();
    if (kept == 0) {
      Free(block);
      block = nullptr;
      continue;
    }
    LightXmlChildren* const next = block->BlockSlots()[0];
    block->BlockSlots()[0] = waiting;
    block->_Count = static_cast<std::uint32_t>(kept - 1);
    waiting = block;
    block = next;
  }
}
