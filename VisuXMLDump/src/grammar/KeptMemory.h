#ifndef KeptMemory_h
#define KeptMemory_h

#include <cstddef>
#include <new>

// Memory for objects of one class that the stream makes and drops by the
// thousand in every dump (open markups' entries and instances, attribute
// value holders): a dropped object's memory is kept for the next one
// instead of going back to the allocator, up to kMaxKept blocks per class
// for the whole process (as many as a dump 16,384 markups deep holds at
// once: about 4 MB for the three classes), and given back when the process
// ends. Keeping them spares every dump the allocator's slow paths that a
// deep stream, dropping thousands of objects at once, otherwise meets.
//
// Like the stream itself, used from one thread at a time. Nothing is kept
// under the address sanitizer, which must see every block freed.
template <typename Owner>
class KeptMemory {
 public:
  static void* Take(std::size_t size) noexcept {
    Kept& kept = Instance();
    if (kept.first == nullptr || size != sizeof(Owner))
      return ::operator new(size, std::nothrow);
    Block* const block = kept.first;
    kept.first = block->next;
    --kept.count;
    return block;
  }

  static void Give(void* memory) noexcept {
    if (memory == nullptr) return;
    Kept& kept = Instance();
    if (kept.count == kMaxKept) {
      ::operator delete(memory);
      return;
    }
    kept.first = new (memory) Block{kept.first};
    ++kept.count;
  }

 private:
  static_assert(sizeof(Owner) >= sizeof(void*), "a block holds a link");
#if defined(__SANITIZE_ADDRESS__)
  static constexpr std::size_t kMaxKept = 0;
#else
  static constexpr std::size_t kMaxKept = 16384;
#endif

  struct Block {
    Block* next;
  };
  struct Kept {
    Block* first = nullptr;
    std::size_t count = 0;
    ~Kept() {
      while (first != nullptr) {
        Block* const block = first;
        first = block->next;
        ::operator delete(block);
      }
    }
  };
  static Kept& Instance() { return sKept; }
  // Constant-initialised: usable before and during static initialisation.
  inline static Kept sKept;
};

#endif
