#ifndef LightXmlChildren_h
#define LightXmlChildren_h

#include <cstddef>
#include <cstdint>

class LightXmlArena;
class MOKLightXmlElement;

// The children of an element in one block of their own: a count, a
// capacity, then the addresses of the child nodes, which the block owns.
// An element without children has no block at all, as most elements of a
// dump.
//
// A block and its nodes live on the heap, or in the arena of a document
// read or copied (see LightXmlArena), which the block then holds; a block
// that grows stays where it is.
class LightXmlChildren {
 public:
  LightXmlChildren(const LightXmlChildren&) = delete;
  LightXmlChildren& operator=(const LightXmlChildren&) = delete;

  // The size of a block with room for that many children.
  static std::size_t BlockBytes(std::size_t capacity) {
    return sizeof(LightXmlChildren) + capacity * sizeof(MOKLightXmlElement*);
  }

  std::size_t Count() const { return _Count; }
  MOKLightXmlElement* At(std::size_t index) const { return Slots()[index]; }

  // An empty block with room for that many children, on the heap or in
  // the arena. Throws std::bad_alloc.
  static LightXmlChildren* Create(std::size_t capacity, LightXmlArena* arena);
  // Makes room for one more child; the block may move (block is updated).
  // A null block is made, in the arena when one is given. Throws
  // std::bad_alloc with the children as they were.
  static void MakeRoom(LightXmlChildren*& block,
                       LightXmlArena* arena = nullptr);
  // Appends a node once MakeRoom has made room: cannot fail.
  void Append(MOKLightXmlElement* node) { Slots()[_Count++] = node; }
  // Takes the node at index out, the later children moving up; the node is
  // then the caller's, to be deleted with DeleteNode.
  MOKLightXmlElement* Take(std::size_t index);

  // Memory for one child node, to be constructed in place. Throws
  // std::bad_alloc.
  void* NodeMemory();
  // Gives back memory whose node could not be constructed.
  void FreeNodeMemory(void* memory);
  // Destroys a node made in NodeMemory.
  void DeleteNode(MOKLightXmlElement* node);

  // Destroys the block, its nodes and everything below them, without
  // recursion and without allocating.
  static void DestroyTree(LightXmlChildren* block);

 private:
  LightXmlChildren() = default;
  ~LightXmlChildren() = default;
  static void Free(LightXmlChildren* block);
  MOKLightXmlElement** Slots() const {
    return reinterpret_cast<MOKLightXmlElement**>(
        const_cast<LightXmlChildren*>(this) + 1);
  }
  LightXmlChildren** BlockSlots() {
    return reinterpret_cast<LightXmlChildren**>(this + 1);
  }
  std::size_t DeleteNodesKeepingTheirBlocks();

  // Null on the heap.
  LightXmlArena* _pArena = nullptr;
  std::uint32_t _Count = 0;
  std::uint32_t _Capacity = 0;
};

#endif
