#ifndef MOKLightXmlElement_h
#define MOKLightXmlElement_h

#include <cstddef>

#include "MOKHostExport.h"
#include "MOKLightXmlElementItf.h"
#include "MOKUnicodeString.h"

class LightXmlArena;
class LightXmlAttributes;
class LightXmlChildren;
struct LightXmlName;

// The host's XML element: name, text, attributes in insertion order and
// ordered children. An element owns its subtree. Copy and destruction work
// without recursion, so arbitrarily deep trees are safe.
//
// Forty bytes: each part is a pointer, null while the part is empty; the
// children have a block of their own.
class MOKHOST_EXPORT MOKLightXmlElement : public MOKLightXmlElementItf {
 public:
  MOKLightXmlElement();
  explicit MOKLightXmlElement(const MOKUnicodeString& name);
  // Deep copy of name, text, attributes and subtree.
  MOKLightXmlElement(const MOKLightXmlElement& other);
  // Takes the other's content over; the other is left empty.
  MOKLightXmlElement(MOKLightXmlElement&& other) noexcept;
  MOKLightXmlElement& operator=(const MOKLightXmlElement& other);
  MOKLightXmlElement& operator=(MOKLightXmlElement&& other) noexcept;
  ~MOKLightXmlElement() override;

  int Assign(const MOKLightXmlElementItf& other) override;
  int AddChild(const MOKLightXmlElement& child) override;
  // Appends the child's content without copying its subtree; the argument
  // is left empty.
  int AddChild(MOKLightXmlElement&& child);
  int RemoveChild(const MOKLightXmlElementItf* child) override;
  void* GetChildren() const override;
  MOKLightXmlElementItf* GetChild(void*& cookie) const override;
  const MOKUnicodeString& GetName() const override;
  int SetName(const MOKUnicodeString& name) override;
  void* GetAttributes() const override;
  const MOKUnicodeString* GetAttributeName(void*& cookie) const override;
  const MOKUnicodeString& GetAttributeValue(
      const MOKUnicodeString& name) const override;
  MOKUnicodeString GetAttributeValue(
      const MOKUnicodeString& name,
      const MOKUnicodeString& defaultValue) const override;
  int SetAttributeValue(const MOKUnicodeString& name,
                        const MOKUnicodeString& value) override;
  int RemoveAttribute(const MOKUnicodeString& name) override;
  const MOKUnicodeString& GetValue() const override;
  int SetValue(const MOKUnicodeString& value) override;
  void Reset() override;

  // Direct, typed access for the host layer's own code (parser, writer)
  // and for callers that walk large trees.
  std::size_t GetChildCount() const;
  MOKLightXmlElement* GetChildAt(std::size_t index) const;
  std::size_t GetAttributeCount() const;
  const MOKUnicodeString& GetAttributeNameAt(std::size_t index) const;
  const MOKUnicodeString& GetAttributeValueAt(std::size_t index) const;
  // The value's bytes without building a string; *length receives the size.
  const char* GetAttributeTextAt(std::size_t index, std::size_t* length) const;
  // True when both elements have the same attribute names in the same order.
  bool HasSameAttributeNames(const MOKLightXmlElement& other) const;
  // Replaces the attributes with those of other, shared until either
  // element changes them.
  void ShareAttributesOf(const MOKLightXmlElement& other);
  // Appends an attribute without looking for the name, for builders whose
  // input already guarantees unique names (the parser).
  void AppendAttribute(const MOKUnicodeString& name,
                       const MOKUnicodeString& value);
  // Makes room for that many more attributes and value bytes, for builders
  // that know them beforehand.
  void ReserveAttributes(std::size_t count, std::size_t bytes);
  // Appends an empty child and returns it, for builders such as the parser.
  MOKLightXmlElement* AppendNewChild();
  // The same, the first child of this element making the block of its
  // children, which later children share, in the arena.
  MOKLightXmlElement* AppendNewChild(LightXmlArena* arena);
  // The shared names themselves, for the writer (null for an empty name).
  const LightXmlName* GetSharedName() const { return _pName; }
  const LightXmlName* GetAttributeSharedNameAt(std::size_t index) const;
  // Takes over a reference to a shared name, for the parser.
  void AdoptName(LightXmlName* name);
  // Takes over a block of attributes, for the parser.
  void AdoptAttributes(LightXmlAttributes* attributes);

 private:
  // Detaches the children of the nodes it destroys.
  friend class LightXmlChildren;

  void CopyFrom(const MOKLightXmlElement& source);
  void CopySubtree(const MOKLightXmlElement& source);
  void DestroyChildren();
  void ReleaseOwnData();

  // Shared with every element of that name; null when the name is empty.
  LightXmlName* _pName;
  // Null when the element has no text, as almost every element of a dump.
  MOKUnicodeString* _pText;
  // Null without attributes; shared with copies until changed.
  LightXmlAttributes* _pAttributes;
  // Null without children.
  LightXmlChildren* _pChildren;
};

#endif
