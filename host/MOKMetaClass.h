#ifndef MOKMetaClass_h
#define MOKMetaClass_h

#include <cstddef>
#include <cstdint>
#include <string>

#include "MOKHostExport.h"

// Identifier of a registered class.
struct MOKGUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};

// True when both identifiers are the same.
MOKHOST_EXPORT bool operator==(const MOKGUID& left, const MOKGUID& right);

// Run-time information of one registered class: its name, its identifier
// and the meta-object of the class it derives from.
class MOKHOST_EXPORT MOKMetaClass {
 public:
  MOKMetaClass(const char* className, int classKind, MOKMetaClass* base,
               const char* linkedName, const char* frameworkName,
               std::size_t objectSize);
  MOKMetaClass(const MOKMetaClass&) = delete;
  MOKMetaClass& operator=(const MOKMetaClass&) = delete;
  ~MOKMetaClass();

  // Identifier derived from the class name, stable across processes.
  const MOKGUID& GetClassId() const;
  // The class name.
  const char* IsA() const;
  // 1 when the class or one of its bases has the given name, 0 otherwise.
  int IsAKindOf(const char* className) const;
  // Meta-object of the base class; null at the root.
  MOKMetaClass* GetBaseMetaObject() const;
  // Kind given at registration.
  int GetClassKind() const;
  // Second name given at registration ("MOKNull" when there is none).
  const char* GetLinkedName() const;
  // Framework the class belongs to.
  const char* GetFrameworkName() const;
  // Size of one object of the class.
  std::size_t GetObjectSize() const;

  // Classes registered in this process.
  static int CountRegistrations();
  // Calls of fct_RetrieveMetaObject made for the named class.
  static int CountRetrievals(const char* className);

 private:
  std::string _ClassName;
  int _ClassKind;
  MOKMetaClass* _pBaseMetaObject;
  std::string _LinkedName;
  std::string _FrameworkName;
  std::size_t _ObjectSize;
  MOKGUID _ClassId;
};

// Returns the meta-object registered under the class name, registering it
// with the given description on the first call for that name. Null only
// when the name is null or memory ran out.
MOKHOST_EXPORT MOKMetaClass* fct_RetrieveMetaObject(
    const char* className, int classKind, MOKMetaClass* baseMetaObject,
    const char* linkedName, const char* frameworkName, std::size_t objectSize);

#endif
