#include "LightXmlArena.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <new>

#include "LightXmlNamePool.h"

namespace {

constexpr std::size_t kAlignment = alignof(void*);
// Chunks double from the first up to this size: large enough that a
// document of a hundred megabytes takes a few hundred chunks, small enough
// that the unused end of the last one costs little.
constexpr std::size_t kLargestChunk = 1024 * 1024;
constexpr std::size_t kSmallestChunk = 4096;

std::size_t Aligned(std::size_t bytes) {
  return (bytes + kAlignment - 1) & ~(kAlignment - 1);
}

// Asks the system for the pages of a large chunk at once: one call instead
// of a fault per page, which costs more than filling the page. Best effort.
void Populate(char* memory, std::size_t size) {
  if (size < kLargestChunk) return;
  static const std::uintptr_t page =
      static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const std::uintptr_t begin =
      (reinterpret_cast<std::uintptr_t>(memory) + page - 1) & ~(page - 1);
  const std::uintptr_t end =
      (reinterpret_cast<std::uintptr_t>(memory) + size) & ~(page - 1);
  if (end > begin)
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

}  // namespace

struct LightXmlArena::Chunk {
  Chunk* next;
};

LightXmlArena* LightXmlArena::Create(std::size_t bytes) {
  const std::size_t head = Aligned(sizeof(LightXmlArena));
  if (bytes > static_cast<std::size_t>(-1) / 2) throw std::bad_alloc();
  const std::size_t size = head + Aligned(bytes);
  char* memory = static_cast<char*>(::operator new(size));
  auto* arena = new (memory) LightXmlArena();
  arena->_pFree = memory + head;
  arena->_pEnd = memory + size;
  arena->_NextChunkBytes = size < kSmallestChunk  ? kSmallestChunk
                           : size > kLargestChunk ? kLargestChunk
                                                  : size;
  return arena;
}

void* LightXmlArena::Allocate(std::size_t bytes) {
  bytes = Aligned(bytes);
  if (bytes <= static_cast<std::size_t>(_pEnd - _pFree)) {
    void* memory = _pFree;
    _pFree += bytes;
    return memory;
  }
  return AllocateInNewChunk(bytes);
}

// A request larger than half the next chunk gets a chunk of its own, so
// that the chunk being cut goes on serving the small ones.
void* LightXmlArena::AllocateInNewChunk(std::size_t bytes) {
  const std::size_t head = Aligned(sizeof(Chunk));
  const bool alone = bytes > _NextChunkBytes / 2;
  if (bytes > static_cast<std::size_t>(-1) / 2) throw std::bad_alloc();
  const std::size_t size = head + (alone ? bytes : _NextChunkBytes);
  char* memory = static_cast<char*>(::operator new(size));
  Populate(memory, size);
  Chunk* chunk = new (memory) Chunk{_pChunks};
  _pChunks = chunk;
  if (alone) return memory + head;
  if (_NextChunkBytes < kLargestChunk) _NextChunkBytes *= 2;
  _pFree = memory + head + bytes;
  _pEnd = memory + size;
  return memory + head;
}

void LightXmlArena::KeepName(LightXmlName* name) {
  try {
    _KeptNames.push_back(name);
  } catch (...) {
    LightXmlNamePool::Release(name);
    throw;
  }
}

void LightXmlArena::Free() {
  for (LightXmlName* name : _KeptNames) LightXmlNamePool::Release(name);
  for (Chunk* chunk = _pChunks; chunk != nullptr;) {
    Chunk* const next = chunk->next;
    ::operator delete(chunk);
    chunk = next;
  }
  this->~LightXmlArena();
  ::operator delete(this);
}
