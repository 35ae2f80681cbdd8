#include "MOKMetaClass.h"

#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <utility>

namespace {

// Registered meta-objects live until the process ends, so every pointer
// handed out stays valid for the process's whole life.
std::map<std::string, std::unique_ptr<MOKMetaClass>>& Registry() {
  static std::map<std::string, std::unique_ptr<MOKMetaClass>> registry;
  return registry;
}

std::map<std::string, int>& RetrievalCounts() {
  static std::map<std::string, int> counts;
  return counts;
}

// 64-bit FNV-1a: a stable, well-spread hash of the class name.
std::uint64_t HashName(const std::string& name, std::uint64_t seed) {
  std::uint64_t hash = seed;
  for (unsigned char byte : name) {
    hash ^= byte;
    hash *= 1099511628211ULL;
  }
  return hash;
}

MOKGUID BuildClassId(const std::string& name) {
  const std::uint64_t high = HashName(name, 14695981039346656037ULL);
  const std::uint64_t low = HashName(name, high);
  MOKGUID id{};
  id.Data1 = static_cast<std::uint32_t>(high >> 32);
  id.Data2 = static_cast<std::uint16_t>(high >> 16);
  id.Data3 = static_cast<std::uint16_t>(high);
  for (int i = 0; i < 8; ++i)
    id.Data4[i] = static_cast<std::uint8_t>(low >> (8 * (7 - i)));
  return id;
}

const char* TextOrEmpty(const char* text) {
  return text != nullptr ? text : "";
}

}  // namespace

bool operator==(const MOKGUID& left, const MOKGUID& right) {
  return left.Data1 == right.Data1 && left.Data2 == right.Data2 &&
         left.Data3 == right.Data3 &&
         std::memcmp(left.Data4, right.Data4, sizeof(left.Data4)) == 0;
}

MOKMetaClass::MOKMetaClass(const char* className, int classKind,
                           MOKMetaClass* base, const char* linkedName,
                           const char* frameworkName, std::size_t objectSize)
    : _ClassName(TextOrEmpty(className)),
      _ClassKind(classKind),
      _pBaseMetaObject(base),
      _LinkedName(TextOrEmpty(linkedName)),
      _FrameworkName(TextOrEmpty(frameworkName)),
      _ObjectSize(objectSize),
      _ClassId(BuildClassId(_ClassName)) {}

MOKMetaClass::~MOKMetaClass() = default;

const MOKGUID& MOKMetaClass::GetClassId() const { return _ClassId; }

const char* MOKMetaClass::IsA() const { return _ClassName.c_str(); }

int MOKMetaClass::IsAKindOf(const char* className) const {
  if (className == nullptr) return 0;
  for (const MOKMetaClass* meta = this; meta != nullptr;
       meta = meta->_pBaseMetaObject) {
    if (meta->_ClassName == className) return 1;
  }
  return 0;
}

MOKMetaClass* MOKMetaClass::GetBaseMetaObject() const {
  return _pBaseMetaObject;
}

int MOKMetaClass::GetClassKind() const { return _ClassKind; }

const char* MOKMetaClass::GetLinkedName() const { return _LinkedName.c_str(); }

const char* MOKMetaClass::GetFrameworkName() const {
  return _FrameworkName.c_str();
}

std::size_t MOKMetaClass::GetObjectSize() const { return _ObjectSize; }

int MOKMetaClass::CountRegistrations() {
  return static_cast<int>(Registry().size());
}

int MOKMetaClass::CountRetrievals(const char* className) {
  if (className == nullptr) return 0;
  const auto found = RetrievalCounts().find(className);
  return found != RetrievalCounts().end() ? found->second : 0;
}

MOKMetaClass* fct_RetrieveMetaObject(const char* className, int classKind,
                                     MOKMetaClass* baseMetaObject,
                                     const char* linkedName,
                                     const char* frameworkName,
                                     std::size_t objectSize) {
  if (className == nullptr) return nullptr;
  try {
    ++RetrievalCounts()[className];
    const auto found = Registry().find(className);
    if (found != Registry().end()) return found->second.get();
    auto meta =
        std::make_unique<MOKMetaClass>(className, classKind, baseMetaObject,
                                       linkedName, frameworkName, objectSize);
    return Registry().emplace(className, std::move(meta)).first->second.get();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
