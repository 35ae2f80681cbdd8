// The children half of MOKLightXmlElement: adding, removing, copying and
// destroying subtrees, each without recursion.
#include <algorithm>
#include <utility>
#include <vector>

#include "LightXmlArena.h"
#include "LightXmlAttributes.h"
#include "LightXmlChildren.h"
#include "LightXmlNamePool.h"
#include "MOKLightXmlElement.h"

std::size_t MOKLightXmlElement::GetChildCount() const {
  return _pChildren == nullptr ? 0 : _pChildren->Count();
}

MOKLightXmlElement* MOKLightXmlElement::GetChildAt(std::size_t index) const {
  return _pChildren->At(index);
}

// A copy that runs out of memory leaves this element empty: the subtree
// made so far is freed before the exception goes on.
void MOKLightXmlElement::CopyFrom(const MOKLightXmlElement& source) {
  try {
    CopySubtree(source);
  } catch (...) {
    Reset();
    throw;
  }
}

namespace {

// The arena bytes of the nodes and children blocks below the element.
std::size_t SubtreeBytes(const MOKLightXmlElement& top) {
  std::size_t bytes = 0;
  std::vector<const MOKLightXmlElement*> work{&top};
  while (!work.empty()) {
    const MOKLightXmlElement* element = work.back();
    work.pop_back();
    const std::size_t count = element->GetChildCount();
    if (count == 0) continue;
    bytes += LightXmlChildren::BlockBytes(count) +
             count * sizeof(MOKLightXmlElement);
    for (std::size_t i = 0; i < count; ++i)
      work.push_back(element->GetChildAt(i));
  }
  return bytes;
}

}  // namespace

// Copies node by node with an explicit work list: recursion would overflow
// the stack on deeply nested documents. Names and attribute blocks are
// shared, not copied; the nodes and children blocks go into an arena of
// exactly their size. Every node is complete before its children are made,
// and every block holds only constructed nodes.
void MOKLightXmlElement::CopySubtree(const MOKLightXmlElement& source) {
  const std::size_t bytes = SubtreeBytes(source);
  LightXmlArenaHold arena(bytes != 0 ? LightXmlArena::Create(bytes) : nullptr);
  std::vector<std::pair<const MOKLightXmlElement*, MOKLightXmlElement*>> work;
  work.emplace_back(&source, this);
  while (!work.empty()) {
    const MOKLightXmlElement* from = work.back().first;
    MOKLightXmlElement* to = work.back().second;
    work.pop_back();
    to->_pName = LightXmlNamePool::Share(from->_pName);
    if (from->_pText != nullptr)
      to->_pText = new MOKUnicodeString(*from->_pText);
    to->_pAttributes = LightXmlAttributes::Share(from->_pAttributes);
    const std::size_t count = from->GetChildCount();
    if (count == 0) continue;
    to->_pChildren = LightXmlChildren::Create(count, arena.Get());
    // Grown by doubling: a comb of a million teeth must not copy the list
    // a million times.
    if (work.capacity() - work.size() < count)
      work.reserve(std::max(2 * work.capacity(), work.size() + count));
    for (std::size_t i = 0; i < count; ++i) {
      MOKLightXmlElement* child =
          new (to->_pChildren->NodeMemory()) MOKLightXmlElement();
      to->_pChildren->Append(child);
      work.emplace_back(from->_pChildren->At(i), child);
    }
  }
}

void MOKLightXmlElement::DestroyChildren() {
  LightXmlChildren::DestroyTree(std::exchange(_pChildren, nullptr));
}

// The slot is made before the child, and the child before it takes its
// slot: an allocation that throws leaves the children as they were.
int MOKLightXmlElement::AddChild(const MOKLightXmlElement& child) {
  LightXmlChildren::MakeRoom(_pChildren);
  void* memory = _pChildren->NodeMemory();
  try {
    _pChildren->Append(new (memory) MOKLightXmlElement(child));
  } catch (...) {
    _pChildren->FreeNodeMemory(memory);
    throw;
  }
  return 1;
}

// Should the slot or the node fail to be made, the content stays with the
// argument.
int MOKLightXmlElement::AddChild(MOKLightXmlElement&& child) {
  if (&child == this) {
    // The content becomes its own first child of an emptied element.
    MOKLightXmlElement taken(std::move(child));
    try {
      AddChild(std::move(taken));
    } catch (...) {
      *this = std::move(taken);
      throw;
    }
    return 1;
  }
  LightXmlChildren::MakeRoom(_pChildren);
  void* memory = _pChildren->NodeMemory();
  _pChildren->Append(new (memory) MOKLightXmlElement(std::move(child)));
  return 1;
}

MOKLightXmlElement* MOKLightXmlElement::AppendNewChild() {
  return AppendNewChild(nullptr);
}

MOKLightXmlElement* MOKLightXmlElement::AppendNewChild(LightXmlArena* arena) {
  LightXmlChildren::MakeRoom(_pChildren, arena);
  MOKLightXmlElement* child =
      new (_pChildren->NodeMemory()) MOKLightXmlElement();
  _pChildren->Append(child);
  return child;
}

int MOKLightXmlElement::RemoveChild(const MOKLightXmlElementItf* child) {
  for (std::size_t i = 0; i < GetChildCount(); ++i) {
    if (_pChildren->At(i) == child) {
      _pChildren->DeleteNode(_pChildren->Take(i));
      return 1;
    }
  }
  return 0;
}
