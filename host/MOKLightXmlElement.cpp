#include "MOKLightXmlElement.h"

#include <cstdint>
#include <utility>

#include "LightXmlAttributes.h"
#include "LightXmlChildren.h"
#include "LightXmlNamePool.h"

namespace {

// Cookies are 1-based positions so that a null cookie means "no more".
void* CookieFor(std::size_t index) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(index) + 1);
}

std::size_t IndexOf(void* cookie) {
  return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(cookie)) - 1;
}

const MOKUnicodeString& EmptyText() {
  return LightXmlNamePool::TextOf(nullptr);
}

std::size_t FindAttribute(const LightXmlAttributes* attributes,
                          const MOKUnicodeString& name) {
  if (attributes == nullptr) return 0;
  return attributes->Find(name.GetText().data(), name.GetText().size());
}

}  // namespace

MOKLightXmlElementItf::~MOKLightXmlElementItf() = default;

MOKLightXmlElement::MOKLightXmlElement()
    : _pName(nullptr),
      _pText(nullptr),
      _pAttributes(nullptr),
      _pChildren(nullptr) {}

MOKLightXmlElement::MOKLightXmlElement(const MOKUnicodeString& name)
    : _pName(LightXmlNamePool::Acquire(name)),
      _pText(nullptr),
      _pAttributes(nullptr),
      _pChildren(nullptr) {}

MOKLightXmlElement::MOKLightXmlElement(const MOKLightXmlElement& other)
    : MOKLightXmlElementItf(),
      _pName(nullptr),
      _pText(nullptr),
      _pAttributes(nullptr),
      _pChildren(nullptr) {
  CopyFrom(other);
}

MOKLightXmlElement::MOKLightXmlElement(MOKLightXmlElement&& other) noexcept
    : _pName(std::exchange(other._pName, nullptr)),
      _pText(std::exchange(other._pText, nullptr)),
      _pAttributes(std::exchange(other._pAttributes, nullptr)),
      _pChildren(std::exchange(other._pChildren, nullptr)) {}

MOKLightXmlElement& MOKLightXmlElement::operator=(
    const MOKLightXmlElement& other) {
  if (this != &other) {
    MOKLightXmlElement copy(other);
    *this = std::move(copy);
  }
  return *this;
}

MOKLightXmlElement& MOKLightXmlElement::operator=(
    MOKLightXmlElement&& other) noexcept {
  if (this != &other) {
    // The other may live inside this element's subtree: take its content
    // over before the old subtree goes.
    MOKLightXmlElement taken(std::move(other));
    DestroyChildren();
    ReleaseOwnData();
    std::swap(_pName, taken._pName);
    std::swap(_pText, taken._pText);
    std::swap(_pAttributes, taken._pAttributes);
    std::swap(_pChildren, taken._pChildren);
  }
  return *this;
}

MOKLightXmlElement::~MOKLightXmlElement() {
  DestroyChildren();
  ReleaseOwnData();
}

void MOKLightXmlElement::ReleaseOwnData() {
  LightXmlNamePool::Release(_pName);
  _pName = nullptr;
  delete _pText;
  _pText = nullptr;
  LightXmlAttributes::Release(_pAttributes);
  _pAttributes = nullptr;
}

int MOKLightXmlElement::Assign(const MOKLightXmlElementItf& other) {
  const auto* element = dynamic_cast<const MOKLightXmlElement*>(&other);
  if (element == nullptr) return 0;
  *this = *element;
  return 1;
}

void* MOKLightXmlElement::GetChildren() const {
  return GetChildCount() == 0 ? nullptr : CookieFor(0);
}

MOKLightXmlElementItf* MOKLightXmlElement::GetChild(void*& cookie) const {
  if (cookie == nullptr) return nullptr;
  std::size_t index = IndexOf(cookie);
  if (_pChildren == nullptr || index >= _pChildren->Count()) {
    cookie = nullptr;
    return nullptr;
  }
  cookie = CookieFor(index + 1);
  return _pChildren->At(index);
}

const MOKUnicodeString& MOKLightXmlElement::GetName() const {
  return LightXmlNamePool::TextOf(_pName);
}

int MOKLightXmlElement::SetName(const MOKUnicodeString& name) {
  LightXmlName* shared = LightXmlNamePool::Acquire(name);
  LightXmlNamePool::Release(_pName);
  _pName = shared;
  return 1;
}

void MOKLightXmlElement::AdoptName(LightXmlName* name) {
  LightXmlNamePool::Release(_pName);
  _pName = name;
}

void* MOKLightXmlElement::GetAttributes() const {
  return GetAttributeCount() == 0 ? nullptr : CookieFor(0);
}

const MOKUnicodeString* MOKLightXmlElement::GetAttributeName(
    void*& cookie) const {
  if (cookie == nullptr) return nullptr;
  std::size_t index = IndexOf(cookie);
  if (index >= GetAttributeCount()) {
    cookie = nullptr;
    return nullptr;
  }
  cookie = CookieFor(index + 1);
  return &GetAttributeNameAt(index);
}

std::size_t MOKLightXmlElement::GetAttributeCount() const {
  return _pAttributes == nullptr ? 0 : _pAttributes->Count();
}

const MOKUnicodeString& MOKLightXmlElement::GetAttributeNameAt(
    std::size_t index) const {
  return LightXmlNamePool::TextOf(_pAttributes->Name(index));
}

const LightXmlName* MOKLightXmlElement::GetAttributeSharedNameAt(
    std::size_t index) const {
  return _pAttributes->Name(index);
}

const MOKUnicodeString& MOKLightXmlElement::GetAttributeValueAt(
    std::size_t index) const {
  return _pAttributes->Value(index);
}

const char* MOKLightXmlElement::GetAttributeTextAt(std::size_t index,
                                                   std::size_t* length) const {
  return _pAttributes->Value(index, length);
}

bool MOKLightXmlElement::HasSameAttributeNames(
    const MOKLightXmlElement& other) const {
  const std::size_t count = GetAttributeCount();
  if (count != other.GetAttributeCount()) return false;
  for (std::size_t i = 0; i < count; ++i)
    if (_pAttributes->NameIndex(i) != other._pAttributes->NameIndex(i))
      return false;
  return true;
}

void MOKLightXmlElement::ShareAttributesOf(const MOKLightXmlElement& other) {
  if (other._pAttributes == _pAttributes) return;
  LightXmlAttributes* shared = LightXmlAttributes::Share(other._pAttributes);
  LightXmlAttributes::Release(_pAttributes);
  _pAttributes = shared;
}

void MOKLightXmlElement::ReserveAttributes(std::size_t count,
                                           std::size_t bytes) {
  LightXmlAttributes::Reserve(_pAttributes, count, bytes);
}

void MOKLightXmlElement::AdoptAttributes(LightXmlAttributes* attributes) {
  LightXmlAttributes::Release(_pAttributes);
  _pAttributes = attributes;
}

const MOKUnicodeString& MOKLightXmlElement::GetAttributeValue(
    const MOKUnicodeString& name) const {
  const std::size_t index = FindAttribute(_pAttributes, name);
  return index < GetAttributeCount() ? _pAttributes->Value(index) : EmptyText();
}

MOKUnicodeString MOKLightXmlElement::GetAttributeValue(
    const MOKUnicodeString& name, const MOKUnicodeString& defaultValue) const {
  const std::size_t index = FindAttribute(_pAttributes, name);
  if (index >= GetAttributeCount()) return defaultValue;
  return MOKUnicodeString(_pAttributes->ValueData(index),
                          _pAttributes->ValueLength(index));
}

void MOKLightXmlElement::AppendAttribute(const MOKUnicodeString& name,
                                         const MOKUnicodeString& value) {
  LightXmlAttributes::Append(_pAttributes, LightXmlNamePool::Acquire(name),
                             value.GetText().data(), value.GetText().size());
}

int MOKLightXmlElement::SetAttributeValue(const MOKUnicodeString& name,
                                          const MOKUnicodeString& value) {
  const std::size_t index = FindAttribute(_pAttributes, name);
  if (index < GetAttributeCount())
    LightXmlAttributes::Replace(_pAttributes, index, value.GetText().data(),
                                value.GetText().size());
  else
    AppendAttribute(name, value);
  return 1;
}

int MOKLightXmlElement::RemoveAttribute(const MOKUnicodeString& name) {
  const std::size_t index = FindAttribute(_pAttributes, name);
  if (index >= GetAttributeCount()) return 0;
  LightXmlAttributes::Remove(_pAttributes, index);
  return 1;
}

const MOKUnicodeString& MOKLightXmlElement::GetValue() const {
  return _pText != nullptr ? *_pText : EmptyText();
}

int MOKLightXmlElement::SetValue(const MOKUnicodeString& value) {
  if (value.GetLengthInByte() == 0) {
    delete _pText;
    _pText = nullptr;
  } else if (_pText != nullptr) {
    *_pText = value;
  } else {
    _pText = new MOKUnicodeString(value);
  }
  return 1;
}

void MOKLightXmlElement::Reset() {
  DestroyChildren();
  ReleaseOwnData();
}
