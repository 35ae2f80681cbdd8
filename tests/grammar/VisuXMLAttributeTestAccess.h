#ifndef VisuXMLAttributeTestAccess_h
#define VisuXMLAttributeTestAccess_h

#include "VisuXMLAttribute.h"

// Test-only window on the private side of VisuXMLAttribute: the registry
// list, the fields of a record and the value-holder copies.
class VisuXMLAttributeTestAccess {
 public:
  static VisuXMLAttribute* First() { return VisuXMLAttribute::_spFirstAttribute; }
  static VisuXMLAttribute* Next(const VisuXMLAttribute* attribute) {
    return attribute->_pNextAttribute;
  }
  static const MOKUnicodeString& Name(const VisuXMLAttribute* attribute) {
    return attribute->_Name;
  }
  static const MOKUnicodeString& Value(const VisuXMLAttribute* attribute) {
    return attribute->_Value;
  }
  static VisuXMLTypeOfAttribute Type(const VisuXMLAttribute* attribute) {
    return attribute->_Type;
  }
  // The registered attribute of that name, looked up from the list head.
  static VisuXMLAttribute* Retrieve(const MOKUnicodeString& name) {
    VisuXMLAttribute* first = First();
    return first == nullptr ? nullptr : first->RetrieveXMLAttribute(name);
  }
  // The lookup started at a given record of the list.
  static VisuXMLAttribute* RetrieveFrom(VisuXMLAttribute* start,
                                        const MOKUnicodeString& name) {
    return start->RetrieveXMLAttribute(name);
  }
  static VisuXMLAttribute* Copy(const VisuXMLAttribute* source) {
    return new VisuXMLAttribute(*source);
  }
  static void Destroy(VisuXMLAttribute* attribute) { delete attribute; }
  static void SetValue(VisuXMLAttribute* attribute, const char* value) {
    attribute->SetValue(value);
  }
  static VisuXMLError Stream(VisuXMLAttribute* attribute,
                             MOKLightXmlElement* element) {
    return attribute->StreamAttribute(element);
  }
  static std::size_t RegistrySize() {
    std::size_t size = 0;
    for (const VisuXMLAttribute* a = First(); a != nullptr; a = Next(a)) ++size;
    return size;
  }
};

#endif
