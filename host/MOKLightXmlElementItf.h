#ifndef MOKLightXmlElementItf_h
#define MOKLightXmlElementItf_h

#include "MOKHostExport.h"
#include "MOKUnicodeString.h"

class MOKLightXmlElement;

// The host's XML element interface. The virtual operations keep this slot
// order, which host modules built against it rely on.
class MOKHOST_EXPORT MOKLightXmlElementItf {
 public:
  virtual ~MOKLightXmlElementItf();

  // Replaces this element with a deep copy of another; 1 on success.
  virtual int Assign(const MOKLightXmlElementItf& other) = 0;
  // Appends a deep copy of the element as last child; 1 on success.
  virtual int AddChild(const MOKLightXmlElement& child) = 0;
  // Removes and destroys the given child; 1 when it was a child.
  virtual int RemoveChild(const MOKLightXmlElementItf* child) = 0;
  // Cookie for GetChild, null without children.
  virtual void* GetChildren() const = 0;
  // The child at the cookie, which then moves on; null after the last.
  virtual MOKLightXmlElementItf* GetChild(void*& cookie) const = 0;
  virtual const MOKUnicodeString& GetName() const = 0;
  virtual int SetName(const MOKUnicodeString& name) = 0;
  // Cookie for GetAttributeName, null without attributes.
  virtual void* GetAttributes() const = 0;
  // The attribute name at the cookie, which then moves on; null after the last.
  virtual const MOKUnicodeString* GetAttributeName(void*& cookie) const = 0;
  // The value of the named attribute; an empty text when absent.
  virtual const MOKUnicodeString& GetAttributeValue(
      const MOKUnicodeString& name) const = 0;
  virtual MOKUnicodeString GetAttributeValue(
      const MOKUnicodeString& name,
      const MOKUnicodeString& defaultValue) const = 0;
  // Sets an attribute; an existing name keeps its place. 1 on success.
  virtual int SetAttributeValue(const MOKUnicodeString& name,
                                const MOKUnicodeString& value) = 0;
  // 1 when the attribute existed and was removed.
  virtual int RemoveAttribute(const MOKUnicodeString& name) = 0;
  // The element's text.
  virtual const MOKUnicodeString& GetValue() const = 0;
  virtual int SetValue(const MOKUnicodeString& value) = 0;
  // Back to an empty element: no name, text, attributes or children.
  virtual void Reset() = 0;
};

#endif
