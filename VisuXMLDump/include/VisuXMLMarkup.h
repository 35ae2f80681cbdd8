#ifndef VisuXMLMarkup_h
#define VisuXMLMarkup_h

#include <cstddef>
#include <cstdint>
#include <new>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLError.h"
#include "VisuXMLExport.h"

class VisuXMLAttribute;
class VisuXMLMarkup;
class VisuXMLMarkupHistory;

// One entry of a markup's attribute link table.
struct VisuXMLAttributeLinks {
  // The declared attribute; in an instance, once a value has been set, the
  // entry's own copy holding the value.
  VisuXMLAttribute* _pAttribute;
  VisuXMLAttributeToMarkupLink _Link;
  std::uint32_t _uiNbUses;
  // 1 when _pAttribute is a copy owned (and freed) by this entry.
  std::uint32_t _OwnsAttribute;
};

// One entry of a markup's sub-markup link table. Entries of a table lie in
// one block and chain to each other by byte offsets relative to the entry,
// so a table can be reallocated or copied whole without rewriting a chain.
struct VisuXMLSubMarkupToMarkupLinks {
  // The declared sub-markup; null in a group head.
  VisuXMLMarkup* _pMarkup;
  VisuXMLMarkupToMarkupLink _Link;
  std::uint32_t _uiNbUses;
  // Bytes to the next entry of this entry's chain; 0 for the last.
  std::int32_t _iOffsetToNext;
  // In a group head, bytes to the group's first member; 0 elsewhere.
  std::int32_t _iOffsetToGroup;
};
static_assert(sizeof(VisuXMLSubMarkupToMarkupLinks) == 24,
              "link table entries are 24 bytes");

// The grammar of a dump (declared markups, their attributes, sub-markups,
// order and groups) and the stream that checks a document against it while
// building its element tree. The interface is static: callers pass names.
class VISUXML_EXPORT VisuXMLMarkup {
  friend class VisuXMLMarkupTestAccess;

 public:
  // ---- Declarations ----

  static VisuXMLError CreateXMLMarkup(const MOKUnicodeString& name,
                                      VisuXMLTypeOfMarkup type);
  static VisuXMLError AttachAttribute(const MOKUnicodeString& markupName,
                                      const MOKUnicodeString& attributeName,
                                      VisuXMLAttributeToMarkupLink link);
  static VisuXMLError AttachMarkup(const MOKUnicodeString& parentName,
                                   const MOKUnicodeString& subMarkupName,
                                   VisuXMLMarkupToMarkupLink link);
  // Groups sub-markups already attached to the parent; they then take one
  // place in the parent's order and may come in any order among themselves.
  static VisuXMLError RegroupMarkups(const MOKUnicodeString& parentName,
                                     const MOKUnicodeString* subMarkupNames,
                                     std::uint32_t nbNames,
                                     VisuXMLMarkupToMarkupLink link);
  // Frees the whole registry; a root may be declared again afterwards.
  static void DestroyMarkups();
  // The last failure's message itself.
  static MOKUnicodeString& GetLastErrorMessage();

  // ---- Stream ----

  static VisuXMLError OpenMarkup(const MOKUnicodeString& name);
  static VisuXMLError SetAttributeValue(const MOKUnicodeString& attributeName,
                                        const MOKUnicodeString& value);
  static VisuXMLError SetText(const MOKUnicodeString& text);
  static VisuXMLError CloseMarkup(const MOKUnicodeString& name);
  // Hands the tree of the last closed outermost markup over to the caller,
  // who deletes it; the stream forgets it. Null when there is none.
  static MOKLightXmlElement* GetXMLStreamNode();
  // Drops every open markup (freeing it) and releases the stack.
  static void ClearMarkupsHistory();

  // Memberwise: both records then share the same tables.
  VisuXMLMarkup& operator=(const VisuXMLMarkup& other);

 private:
  friend class VisuXMLMarkupHistory;

  // Every opening makes a private copy, dropped at its close: the memory of
  // dropped copies is kept for the next ones.
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
  static void operator delete(void* memory) noexcept;
  static void operator delete(void* memory, const std::nothrow_t&) noexcept;

  VisuXMLMarkup(const MOKUnicodeString& name, VisuXMLTypeOfMarkup type);
  // The instance copy used by the stream.
  VisuXMLMarkup(const VisuXMLMarkup& source);
  ~VisuXMLMarkup();

  // Registry and tables.
  VisuXMLError SearchForExistingMarkup(const MOKUnicodeString& name);
  VisuXMLMarkup* RetrieveXMLMarkup(const MOKUnicodeString& name);
  // The declared markup of that name, searched from the registry's head.
  static VisuXMLMarkup* FindDeclaredMarkup(const MOKUnicodeString& name);
  VisuXMLError AddAttribute(VisuXMLAttribute* attribute,
                            VisuXMLAttributeToMarkupLink link);
  VisuXMLError AddSubMarkup(VisuXMLMarkup* subMarkup,
                            VisuXMLMarkupToMarkupLink link);
  std::uint32_t SearchForAttribute(const VisuXMLAttribute* attribute) const;
  std::uint32_t SearchForAttributeByName(const MOKUnicodeString& name) const;
  unsigned char SearchForMarkupInSubMarkups(const VisuXMLMarkup* markup) const;
  VisuXMLSubMarkupToMarkupLinks* SearchForMarkupInChain(
      const VisuXMLMarkup* markup, VisuXMLSubMarkupToMarkupLinks* start) const;
  void CleanUpAttributes();

  // Stream.
  static void OpenWaitingMarkups();
  static void StreamXMLErrorMessage(MOKLightXmlElement* node);
  VisuXMLError PushMarkupInHistory();
  VisuXMLError AuthorizeMarkupToOpen();
  void IncrementUseOfSubMarkup(const VisuXMLMarkup* markup,
                               VisuXMLSubMarkupToMarkupLinks* entry);
  VisuXMLError PopMarkupFromHistory();
  VisuXMLError CheckAttributeValidation();
  VisuXMLError CheckSubMarkupsValidation();
  VisuXMLError OpenMarkupInStream(MOKLightXmlElement* element);
  VisuXMLError CloseMarkupInStream();

  VisuXMLAttributeLinks* _pAttributeLinks;
  std::uint32_t _uiNbAttributeLinks;
  VisuXMLSubMarkupToMarkupLinks* _pSubMarkupLinks;
  std::uint32_t _uiNbSubMarkupLinks;
  VisuXMLSubMarkupToMarkupLinks* _pFirstInChain;
  VisuXMLMarkup* _pNextMarkup;
  MOKUnicodeString _Name;
  MOKUnicodeString _Text;
  std::uint32_t _OpenedInStream;
  VisuXMLTypeOfMarkup _Type;

  static VisuXMLMarkup* _spFirstMarkup;
  static std::uint32_t _suiNbRootMarkup;
  static MOKUnicodeString _sErrorMessage;
  static VisuXMLMarkupHistory** _sppMarkupHistory;
  static std::uint32_t _suiSizeOfMarkupHistory;
  static std::uint32_t _suiNbMarkupLevels;
  static MOKLightXmlElement* _spXMLRootNode;
};

#endif
