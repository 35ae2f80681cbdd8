#ifndef VisuXMLAttribute_h
#define VisuXMLAttribute_h

#include <cstddef>
#include <new>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLError.h"
#include "VisuXMLExport.h"

// One declared XML attribute (name, value type, value), and the
// process-wide registry of declared attributes. The same class holds one
// value inside one markup instance of the stream, as an unregistered copy.
class VISUXML_EXPORT VisuXMLAttribute {
  friend class VisuXMLMarkup;
  friend class VisuXMLAttributeTestAccess;

 public:
  // Declares an attribute. 1 with a message for an empty, invalid or
  // already declared name.
  static VisuXMLError CreateXMLAttribute(const MOKUnicodeString& name,
                                         VisuXMLTypeOfAttribute type);
  // The declared type of the name; VisuXMLTextAttribute when undeclared.
  static VisuXMLTypeOfAttribute GetXMLAttributeType(
      const MOKUnicodeString& name);
  // Frees the whole registry.
  static void DestroyAttributes();
  // The last failure's message itself; successes never clear it.
  static MOKUnicodeString& GetLastErrorMessage();

  // Memberwise, the registry link included.
  VisuXMLAttribute& operator=(const VisuXMLAttribute& other);

 private:
  // Value holders come and go by the thousand in every dump: their memory
  // is kept for the next ones.
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
  static void operator delete(void* memory) noexcept;
  static void operator delete(void* memory, const std::nothrow_t&) noexcept;

  // Registers the new attribute at the head of the registry.
  VisuXMLAttribute(const MOKUnicodeString& name, VisuXMLTypeOfAttribute type);
  // An unregistered value holder.
  VisuXMLAttribute(const VisuXMLAttribute& other);
  // Destroys the rest of the list behind this attribute.
  ~VisuXMLAttribute();

  VisuXMLError SearchForExistingAttribute(const MOKUnicodeString& name);
  VisuXMLAttribute* RetrieveXMLAttribute(const MOKUnicodeString& name);
  void SetValue(const char* value);
  VisuXMLError StreamAttribute(MOKLightXmlElement* element);

  VisuXMLAttribute* _pNextAttribute;
  MOKUnicodeString _Name;
  MOKUnicodeString _Value;
  VisuXMLTypeOfAttribute _Type;

  static VisuXMLAttribute* _spFirstAttribute;
  static MOKUnicodeString _sErrorMessage;
};

#endif
