#ifndef MOKBaseUnknown_h
#define MOKBaseUnknown_h

#include <cstddef>
#include <new>

#include "MOKHostExport.h"

class MOKMetaClass;

// Root of the host's framework objects. Objects are allocated and released
// through the class-level operators, so the host can account for them.
class MOKHOST_EXPORT MOKBaseUnknown {
 public:
  MOKBaseUnknown() = default;
  MOKBaseUnknown(const MOKBaseUnknown& other) = default;
  MOKBaseUnknown& operator=(const MOKBaseUnknown& other) = default;
  // Also withdraws a pending delayed destruction of this object.
  virtual ~MOKBaseUnknown();

  // The class's meta-object ("MOKBaseUnknown", the root of every chain).
  static MOKMetaClass* MetaObject();
  // The meta-object of the object's most derived class.
  virtual MOKMetaClass* GetMetaObject() const;
  // Name of the object's most derived class.
  virtual const char* IsA() const;
  // 1 when the object's class is the named class or derives from it.
  virtual int IsAKindOf(const char* className) const;

  // Throwing allocation, as a plain new expression expects.
  static void* operator new(std::size_t size);
  // Non-throwing allocation: null when memory ran out.
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
  // Releases memory from either allocation form.
  static void operator delete(void* memory) noexcept;
  // Called when a constructor throws after a non-throwing allocation.
  static void operator delete(void* memory, const std::nothrow_t&) noexcept;

  // Objects allocated with the class-level operators and not yet released.
  static std::size_t CountLiveObjects();

 private:
  static MOKMetaClass* meta_object;
};

#endif
