#include "VisuXMLMarkup.h"

#include <cstddef>
#include <new>

#include "GrammarMessage.h"
#include "KeptMemory.h"
#include "LinkTable.h"
#include "ListDeletion.h"
#include "MOKLightXmlText.h"
#include "NameIndex.h"
#include "SubMarkupChain.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLNoThrow.h"
#include "VisuXMLResultCodes.h"

VisuXMLMarkup* VisuXMLMarkup::_spFirstMarkup = nullptr;
std::uint32_t VisuXMLMarkup::_suiNbRootMarkup = 0;
MOKUnicodeString VisuXMLMarkup::_sErrorMessage;

void* VisuXMLMarkup::operator new(std::size_t size,
                                  const std::nothrow_t&) noexcept {
  return KeptMemory<VisuXMLMarkup>::Take(size);
}

void VisuXMLMarkup::operator delete(void* memory) noexcept {
  KeptMemory<VisuXMLMarkup>::Give(memory);
}

// Called when a constructor throws inside a nothrow new.
void VisuXMLMarkup::operator delete(void* memory,
                                    const std::nothrow_t&) noexcept {
  KeptMemory<VisuXMLMarkup>::Give(memory);
}

namespace {

// Names of the registry's markups; cleared with the registry.
NameIndex<VisuXMLMarkup> gMarkupIndex;

// Only names that the host's writer and reader carry unchanged: any other
// would be renamed in the written document and fail every replay of it.
bool IsValidName(const MOKUnicodeString& name) {
  return MOKLightXmlIsName(name) == 1;
}

MOKUnicodeString MissingMarkupMessage(const MOKUnicodeString& name) {
  return ComposeMessage("The XML markup provided - ", name,
                        " - does not exist.");
}

}  // namespace

VisuXMLError VisuXMLMarkup::CreateXMLMarkup(const MOKUnicodeString& name,
                                            VisuXMLTypeOfMarkup type) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    if (name.GetLengthInByte() == 0) {
      _sErrorMessage = "The name provided for the XML markup is empty.";
      return VisuXMLResult::kFailed;
    }
    if (!IsValidName(name)) {
      _sErrorMessage = ComposeMessage("The name provided for the XML markup - ",
                                      name, " - is not a valid XML name.");
      return VisuXMLResult::kFailed;
    }
    if (_spFirstMarkup != nullptr &&
        _spFirstMarkup->SearchForExistingMarkup(name) != 0) {
      _sErrorMessage = ComposeMessage("A XML markup with the name - ", name,
                                      " - has already been defined.");
      return VisuXMLResult::kFailed;
    }
    if (type == VisuXMLRootMarkup && _suiNbRootMarkup != 0) {
      _sErrorMessage = ComposeMessage(
          "The XML markup provided - ", name,
          " - can't be declared as a root markup because already one root "
          "markup exists.");
      return VisuXMLResult::kFailed;
    }
    // The constructor registers the record. When memory runs out nothing is
    // declared; the result does not report it, and nothing is thrown.
    VisuXMLMarkup* created = nullptr;
    try {
      // Declarations take fresh memory; only the stream's copies reuse.
      created = ::new (std::nothrow) VisuXMLMarkup(name, type);
    } catch (const std::bad_alloc&) {
    }
    if (created != nullptr && type == VisuXMLRootMarkup) ++_suiNbRootMarkup;
    return VisuXMLResult::kSuccess;
  });
}

VisuXMLError VisuXMLMarkup::AttachAttribute(
    const MOKUnicodeString& markupName, const MOKUnicodeString& attributeName,
    VisuXMLAttributeToMarkupLink link) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    VisuXMLMarkup* markup = FindDeclaredMarkup(markupName);
    if (markup == nullptr) {
      _sErrorMessage = MissingMarkupMessage(markupName);
      return VisuXMLResult::kFailed;
    }
    VisuXMLAttribute* first = VisuXMLAttribute::_spFirstAttribute;
    VisuXMLAttribute* attribute =
        first == nullptr ? nullptr : first->RetrieveXMLAttribute(attributeName);
    if (attribute == nullptr) {
      _sErrorMessage = ComposeMessage("The XML attribute provided - ",
                                      attributeName, " - does not exist.");
      return VisuXMLResult::kFailed;
    }
    return markup->AddAttribute(attribute, link);
  });
}

VisuXMLError VisuXMLMarkup::AttachMarkup(const MOKUnicodeString& parentName,
                                         const MOKUnicodeString& subMarkupName,
                                         VisuXMLMarkupToMarkupLink link) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    VisuXMLMarkup* parent = FindDeclaredMarkup(parentName);
    if (parent == nullptr) {
      _sErrorMessage = MissingMarkupMessage(parentName);
      return VisuXMLResult::kFailed;
    }
    VisuXMLMarkup* subMarkup = _spFirstMarkup->RetrieveXMLMarkup(subMarkupName);
    if (subMarkup == nullptr) {
      _sErrorMessage = MissingMarkupMessage(subMarkupName);
      return VisuXMLResult::kFailed;
    }
    return parent->AddSubMarkup(subMarkup, link);
  });
}

VisuXMLError VisuXMLMarkup::RegroupMarkups(
    const MOKUnicodeString& parentName, const MOKUnicodeString* subMarkupNames,
    std::uint32_t nbNames, VisuXMLMarkupToMarkupLink link) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    if (nbNames == 0 || subMarkupNames == nullptr)
      return VisuXMLResult::kFailed;
    VisuXMLMarkup* parent = FindDeclaredMarkup(parentName);
    if (parent == nullptr) {
      _sErrorMessage = MissingMarkupMessage(parentName);
      return VisuXMLResult::kFailed;
    }
    // Every name is checked before anything changes; the moves below look
    // the names up again rather than keeping them in a buffer that could
    // fail to allocate.
    for (std::uint32_t i = 0; i < nbNames; ++i) {
      const MOKUnicodeString& name = subMarkupNames[i];
      VisuXMLMarkup* subMarkup = _spFirstMarkup->RetrieveXMLMarkup(name);
      if (subMarkup == nullptr) {
        _sErrorMessage = MissingMarkupMessage(name);
        return VisuXMLResult::kFailed;
      }
      if (parent->SearchForMarkupInSubMarkups(subMarkup) == 0) {
        _sErrorMessage =
            ComposeMessage("The XML markup provided - ", name,
                           " - has not been declared as a sub-markup for the ",
                           parentName, " markup.");
        return VisuXMLResult::kFailed;
      }
    }
    SubMarkupChain chain(parent->_pSubMarkupLinks, parent->_uiNbSubMarkupLinks,
                         parent->_pFirstInChain);
    VisuXMLSubMarkupToMarkupLinks* group = chain.Append(nullptr, link);
    if (group == nullptr) return VisuXMLResult::kNotCreated;
    VisuXMLSubMarkupToMarkupLinks* last = nullptr;
    for (std::uint32_t i = 0; i < nbNames; ++i) {
      chain.MoveIntoGroup(
          group, _spFirstMarkup->RetrieveXMLMarkup(subMarkupNames[i]), &last);
    }
    return VisuXMLResult::kSuccess;
  });
}

void VisuXMLMarkup::DestroyMarkups() {
  if (_spFirstMarkup != nullptr) {
    delete _spFirstMarkup;
    _spFirstMarkup = nullptr;
  }
  gMarkupIndex.Clear();
  _suiNbRootMarkup = 0;
}

MOKUnicodeString& VisuXMLMarkup::GetLastErrorMessage() {
  return _sErrorMessage;
}

VisuXMLMarkup& VisuXMLMarkup::operator=(const VisuXMLMarkup& other) {
  _pAttributeLinks = other._pAttributeLinks;
  _uiNbAttributeLinks = other._uiNbAttributeLinks;
  _pSubMarkupLinks = other._pSubMarkupLinks;
  _uiNbSubMarkupLinks = other._uiNbSubMarkupLinks;
  _pFirstInChain = other._pFirstInChain;
  _pNextMarkup = other._pNextMarkup;
  _Name = other._Name;
  _Text = other._Text;
  _OpenedInStream = other._OpenedInStream;
  _Type = other._Type;
  return *this;
}

VisuXMLMarkup::VisuXMLMarkup(const MOKUnicodeString& name,
                             VisuXMLTypeOfMarkup type)
    : _pAttributeLinks(nullptr),
      _uiNbAttributeLinks(0),
      _pSubMarkupLinks(nullptr),
      _uiNbSubMarkupLinks(0),
      _pFirstInChain(nullptr),
      _pNextMarkup(_spFirstMarkup),
      _Name(name),
      _Text(""),
      _OpenedInStream(0),
      _Type(type) {
  _spFirstMarkup = this;
  gMarkupIndex.Insert(_Name, this);
}

VisuXMLMarkup::VisuXMLMarkup(const VisuXMLMarkup& source)
    : _pAttributeLinks(nullptr),
      _uiNbAttributeLinks(0),
      _pSubMarkupLinks(nullptr),
      _uiNbSubMarkupLinks(0),
      _pFirstInChain(nullptr),
      _pNextMarkup(nullptr),
      _Name(source._Name),
      _Text(source._Text),
      _OpenedInStream(0),
      _Type(source._Type) {
  // The tables are copied only once the names, which may throw, are in
  // place: a copy that fails half-way then holds no block to leak.
  _pAttributeLinks =
      LinkTable::Duplicate(source._pAttributeLinks, source._uiNbAttributeLinks);
  if (_pAttributeLinks != nullptr)
    _uiNbAttributeLinks = source._uiNbAttributeLinks;
  _pSubMarkupLinks =
      LinkTable::Duplicate(source._pSubMarkupLinks, source._uiNbSubMarkupLinks);
  if (_pSubMarkupLinks != nullptr)
    _uiNbSubMarkupLinks = source._uiNbSubMarkupLinks;
  // The offsets hold in the copied block; only the head is re-derived.
  if (_pSubMarkupLinks != nullptr && source._pFirstInChain != nullptr) {
    _pFirstInChain =
        _pSubMarkupLinks + (source._pFirstInChain - source._pSubMarkupLinks);
  }
}

VisuXMLMarkup::~VisuXMLMarkup() {
  delete[] _pAttributeLinks;
  _pAttributeLinks = nullptr;
  delete[] _pSubMarkupLinks;
  _pSubMarkupLinks = nullptr;
  _pFirstInChain = nullptr;
  // The record owns the list behind it.
  DeleteListIteratively(_pNextMarkup, &VisuXMLMarkup::_pNextMarkup,
                        [](VisuXMLMarkup* record) { delete record; });
}

VisuXMLError VisuXMLMarkup::SearchForExistingMarkup(
    const MOKUnicodeString& name) {
  return RetrieveXMLMarkup(name) == nullptr ? 0 : 1;
}

VisuXMLMarkup* VisuXMLMarkup::FindDeclaredMarkup(const MOKUnicodeString& name) {
  return _spFirstMarkup == nullptr ? nullptr
                                   : _spFirstMarkup->RetrieveXMLMarkup(name);
}

VisuXMLMarkup* VisuXMLMarkup::RetrieveXMLMarkup(const MOKUnicodeString& name) {
  VisuXMLMarkup* indexed = nullptr;
  if (this == _spFirstMarkup && gMarkupIndex.Lookup(name, &indexed)) {
    return indexed;
  }
  for (VisuXMLMarkup* markup = this; markup != nullptr;
       markup = markup->_pNextMarkup) {
    if (markup->_Name.Compare(name) == 2) return markup;
  }
  return nullptr;
}
