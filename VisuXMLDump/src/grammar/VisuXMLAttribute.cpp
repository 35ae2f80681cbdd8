#include "VisuXMLAttribute.h"

#include <cstddef>
#include <new>

#include "GrammarMessage.h"
#include "KeptMemory.h"
#include "ListDeletion.h"
#include "MOKLightXmlText.h"
#include "NameIndex.h"
#include "VisuXMLNoThrow.h"
#include "VisuXMLResultCodes.h"
#include "VisuXMLVocabulary.h"

VisuXMLAttribute* VisuXMLAttribute::_spFirstAttribute = nullptr;
MOKUnicodeString VisuXMLAttribute::_sErrorMessage;

namespace {

// Names of the registry's attributes; cleared with the registry.
NameIndex<VisuXMLAttribute> gAttributeIndex;

// Only names that the host's writer and reader carry unchanged: any other
// would be renamed in the written document and fail every replay of it.
bool IsValidName(const MOKUnicodeString& name) {
  return MOKLightXmlIsName(name) == 1;
}

}  // namespace

VisuXMLError VisuXMLAttribute::CreateXMLAttribute(const MOKUnicodeString& name,
                                                  VisuXMLTypeOfAttribute type) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    if (name.GetLengthInByte() == 0) {
      _sErrorMessage = "The name provided for the XML attribute is empty.";
      return VisuXMLResult::kFailed;
    }
    if (!IsValidName(name)) {
      _sErrorMessage =
          ComposeMessage("The name provided for the XML attribute - ", name,
                         " - is not a valid XML name.");
      return VisuXMLResult::kFailed;
    }
    if (_spFirstAttribute != nullptr) {
      const VisuXMLError found =
          _spFirstAttribute->SearchForExistingAttribute(name);
      if (found != 0) return found;
    }
    // The constructor registers the attribute. When memory runs out nothing
    // is declared; the result does not report it, and nothing is thrown.
    // Declarations take fresh memory; only the stream's holders reuse.
    try {
      ::new (std::nothrow) VisuXMLAttribute(name, type);
    } catch (const std::bad_alloc&) {
    }
    return VisuXMLResult::kSuccess;
  });
}

VisuXMLTypeOfAttribute VisuXMLAttribute::GetXMLAttributeType(
    const MOKUnicodeString& name) {
  if (_spFirstAttribute == nullptr) return VisuXMLTextAttribute;
  return VisuXMLGuard(VisuXMLTextAttribute, [&name]() {
    const VisuXMLAttribute* found =
        _spFirstAttribute->RetrieveXMLAttribute(name);
    return found == nullptr ? VisuXMLTextAttribute : found->_Type;
  });
}

void VisuXMLAttribute::DestroyAttributes() {
  if (_spFirstAttribute != nullptr) {
    delete _spFirstAttribute;
    _spFirstAttribute = nullptr;
  }
  gAttributeIndex.Clear();
}

void* VisuXMLAttribute::operator new(std::size_t size,
                                     const std::nothrow_t&) noexcept {
  return KeptMemory<VisuXMLAttribute>::Take(size);
}

void VisuXMLAttribute::operator delete(void* memory) noexcept {
  KeptMemory<VisuXMLAttribute>::Give(memory);
}

// Called when a constructor throws inside a nothrow new.
void VisuXMLAttribute::operator delete(void* memory,
                                       const std::nothrow_t&) noexcept {
  KeptMemory<VisuXMLAttribute>::Give(memory);
}

MOKUnicodeString& VisuXMLAttribute::GetLastErrorMessage() {
  return _sErrorMessage;
}

VisuXMLAttribute& VisuXMLAttribute::operator=(const VisuXMLAttribute& other) {
  _pNextAttribute = other._pNextAttribute;
  _Name = other._Name;
  _Value = other._Value;
  _Type = other._Type;
  return *this;
}

VisuXMLAttribute::VisuXMLAttribute(const MOKUnicodeString& name,
                                   VisuXMLTypeOfAttribute type)
    : _pNextAttribute(_spFirstAttribute),
      _Name(name),
      _Value(VisuXMLVocabulary::kUnsetValue),
      _Type(type) {
  _spFirstAttribute = this;
  gAttributeIndex.Insert(_Name, this);
}

VisuXMLAttribute::VisuXMLAttribute(const VisuXMLAttribute& other)
    : _pNextAttribute(nullptr),
      _Name(other._Name),
      _Value(other._Value),
      _Type(other._Type) {}

VisuXMLAttribute::~VisuXMLAttribute() {
  // The attribute owns the list behind it.
  DeleteListIteratively(_pNextAttribute, &VisuXMLAttribute::_pNextAttribute,
                        [](VisuXMLAttribute* record) { delete record; });
}

VisuXMLError VisuXMLAttribute::SearchForExistingAttribute(
    const MOKUnicodeString& name) {
  const VisuXMLAttribute* found = RetrieveXMLAttribute(name);
  if (found == nullptr) return VisuXMLResult::kSuccess;
  _sErrorMessage =
      ComposeMessage("The XML attribute ", found->_Name, " already exists.");
  return VisuXMLResult::kFailed;
}

VisuXMLAttribute* VisuXMLAttribute::RetrieveXMLAttribute(
    const MOKUnicodeString& name) {
  VisuXMLAttribute* indexed = nullptr;
  if (this == _spFirstAttribute && gAttributeIndex.Lookup(name, &indexed)) {
    return indexed;
  }
  for (VisuXMLAttribute* attribute = this; attribute != nullptr;
       attribute = attribute->_pNextAttribute) {
    if (attribute->_Name.Compare(name) == 2) return attribute;
  }
  return nullptr;
}

void VisuXMLAttribute::SetValue(const char* value) {
  if (value == nullptr || value[0] == '\0') return;
  _Value = MOKUnicodeString(value);
  // The tree holds what the written document will hold, so that a replay
  // compares equal with its own capture.
  MOKLightXmlMakeWritable(_Value);
}

VisuXMLError VisuXMLAttribute::StreamAttribute(MOKLightXmlElement* element) {
  if (element != nullptr) element->SetAttributeValue(_Name, _Value);
  return VisuXMLResult::kSuccess;
}
