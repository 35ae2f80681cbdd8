#include "MOKBaseUnknown.h"

#include "DelayedDestructionQueue.h"
#include "MOKMetaClass.h"

MOKMetaClass* MOKBaseUnknown::meta_object = nullptr;

namespace {

std::size_t gLiveObjects = 0;

}  // namespace

MOKBaseUnknown::~MOKBaseUnknown() { DelayedDestructionQueue::Withdraw(this); }

MOKMetaClass* MOKBaseUnknown::MetaObject() {
  if (meta_object == nullptr) {
    meta_object =
        fct_RetrieveMetaObject("MOKBaseUnknown", 0, nullptr, "MOKNull",
                               "MOKHost", sizeof(MOKBaseUnknown));
  }
  return meta_object;
}

MOKMetaClass* MOKBaseUnknown::GetMetaObject() const { return MetaObject(); }

const char* MOKBaseUnknown::IsA() const {
  const MOKMetaClass* meta = GetMetaObject();
  return meta != nullptr ? meta->IsA() : "";
}

int MOKBaseUnknown::IsAKindOf(const char* className) const {
  const MOKMetaClass* meta = GetMetaObject();
  return meta != nullptr ? meta->IsAKindOf(className) : 0;
}

void* MOKBaseUnknown::operator new(std::size_t size) {
  void* memory = ::operator new(size);
  ++gLiveObjects;
  return memory;
}

void* MOKBaseUnknown::operator new(std::size_t size,
                                   const std::nothrow_t& tag) noexcept {
  void* memory = ::operator new(size, tag);
  if (memory != nullptr) ++gLiveObjects;
  return memory;
}

void MOKBaseUnknown::operator delete(void* memory) noexcept {
  if (memory == nullptr) return;
  --gLiveObjects;
  ::operator delete(memory);
}

void MOKBaseUnknown::operator delete(void* memory,
                                     const std::nothrow_t&) noexcept {
  MOKBaseUnknown::operator delete(memory);
}

std::size_t MOKBaseUnknown::CountLiveObjects() { return gLiveObjects; }
