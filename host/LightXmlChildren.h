#ifndef LightXmlChildren_h
#define LightXmlChildren_h

#include <cstddef>
#include <cstdint>

class MOKLightXmlElement;

// The children of an element in one block of their own: a count, a
// capacity, then the addresses of the child nodes, which the block owns.
// An element without children has no block at all, as most elements of a
// dump.
class LightXmlChildren {
 public:
  LightXmlChildren(const LightXmlChildren&) = delete;
  LightXmlChildren& operator=(const LightXmlChildren&) = delete;

  std::size_t Count() const { return _Count; }
  MOKLightXmlElement* At(std::size_t index) const { return Slots()[index]; }

  // Makes room for that many more children; the block may move (block is
  // updated, and made with exactly that room when null). Throws
  // std::bad_alloc with the children as they were.
  static void MakeRoom(LightXmlChildren*& block, std::size_t more = 1);
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
  static LightXmlChildren* Create(std::size_t capacity);
  static void Free(LightXmlChildren* block);
  MOKLightXmlElement** Slots() const {
    return reinterpret_cast<MOKLightXmlElement**>(
        const_cast<LightXmlChildren*>(this) + 1);
  }
  LightXmlChildren** BlockSlots() {
    return reinterpret_cast<LightXmlChildren**>(this + 1);
  }
  std::size_t DeleteNodesKeepingTheirBlocks();

  std::uint32_t _Count = 0;
  std::uint32_t _Capacity = 0;
};

#endif
