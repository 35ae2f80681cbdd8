#ifndef LightXmlArena_h
#define LightXmlArena_h

#include <cstddef>
#include <vector>

struct LightXmlName;

// The memory of one document's tree: its nodes and blocks are cut in turn
// from a few large chunks, and the chunks are given back all at once. A
// document read or copied thus costs a few allocations instead of one or
// two per element, and no allocator bookkeeping per element.
//
// The arena lives as long as it is held: once by its maker while the tree
// is being made, and once by every block made in it (nodes live and die
// with the block that holds them). The last one to let go frees it. Memory
// given up in between (a block that grew, a child removed) stays in the
// arena until then. Like the elements, an arena is used from one thread at
// a time.
//
// The arena also keeps a reference to each name its blocks' attributes
// carry, so that those attributes borrow their names instead of counting
// each one.
class LightXmlArena {
 public:
  LightXmlArena(const LightXmlArena&) = delete;
  LightXmlArena& operator=(const LightXmlArena&) = delete;

  // A new arena, held once by its maker, with room for at least that many
  // bytes before it needs another chunk. Throws std::bad_alloc.
  static LightXmlArena* Create(std::size_t bytes);

  // Memory for an object of that size, aligned for pointers. Throws
  // std::bad_alloc.
  void* Allocate(std::size_t bytes);

  // Takes over one reference to the name, given back when the arena goes.
  // Throws std::bad_alloc, the reference then given back at once.
  void KeepName(LightXmlName* name);

  void Hold() { ++_Holders; }
  // The last holder frees the arena with all its memory and names.
  void Release() {
    if (--_Holders == 0) Free();
  }

 private:
  struct Chunk;
  LightXmlArena() = default;
  ~LightXmlArena() = default;
  void* AllocateInNewChunk(std::size_t bytes);
  void Free();

  std::size_t _Holders = 1;
  char* _pFree = nullptr;
  char* _pEnd = nullptr;
  // The chunks after the first, which holds the arena itself.
  Chunk* _pChunks = nullptr;
  std::size_t _NextChunkBytes = 0;
  std::vector<LightXmlName*> _KeptNames;
};

// Holds an arena for the time its maker fills it.
class LightXmlArenaHold {
 public:
  explicit LightXmlArenaHold(LightXmlArena* arena) : _pArena(arena) {}
  ~LightXmlArenaHold() {
    if (_pArena != nullptr) _pArena->Release();
  }
  LightXmlArenaHold(const LightXmlArenaHold&) = delete;
  LightXmlArenaHold& operator=(const LightXmlArenaHold&) = delete;

  LightXmlArena* Get() const { return _pArena; }
  void Reset(LightXmlArena* arena) {
    if (_pArena != nullptr) _pArena->Release();
    _pArena = arena;
  }

 private:
  LightXmlArena* _pArena;
};

#endif
