#ifndef NothrowStack_h
#define NothrowStack_h

#include <cstddef>
#include <new>
#include <type_traits>

// A stack of plain values in one block that doubles when full. Growing
// reports running out of memory instead of throwing.
template <typename Item>
class NothrowStack {
  static_assert(std::is_trivially_copyable<Item>::value,
                "items are moved between blocks by plain copies");

 public:
  NothrowStack() = default;
  ~NothrowStack() { delete[] _pItems; }
  NothrowStack(const NothrowStack&) = delete;
  NothrowStack& operator=(const NothrowStack&) = delete;

  // False when the block could not grow; the stack is then unchanged.
  bool Push(const Item& item) {
    if (_Size == _Capacity && !Grow()) return false;
    _pItems[_Size++] = item;
    return true;
  }
  void Pop() { --_Size; }
  Item& Top() { return _pItems[_Size - 1]; }
  bool IsEmpty() const { return _Size == 0; }

 private:
  bool Grow() {
    std::size_t capacity = _Capacity == 0 ? 64 : _Capacity * 2;
    Item* items = new (std::nothrow) Item[capacity];
    if (items == nullptr) return false;
    for (std::size_t i = 0; i < _Size; ++i) items[i] = _pItems[i];
    delete[] _pItems;
    _pItems = items;
    _Capacity = capacity;
    return true;
  }

  Item* _pItems = nullptr;
  std::size_t _Size = 0;
  std::size_t _Capacity = 0;
};

#endif
