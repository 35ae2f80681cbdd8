#include "MOKLightXmlElement.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "LightXmlAttributes.h"
#include "LightXmlNamePool.h"

namespace {

// Cookies are 1-based positions so that a null cookie means "no more".
void* CookieFor(std::size_t index) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(index) + 1);
}

std::size_t IndexOf(void* cookie) {
  return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(cookie)) -
         1;
}

const MOKUnicodeString& EmptyText() { return LightXmlNamePool::TextOf(nullptr); }

std::size_t FindAttribute(const LightXmlAttributes* attributes,
                          const MOKUnicodeString& name) {
  if (attributes == nullptr) return 0;
  return attributes->Find(name.GetText().data(), name.GetText().size());
}

}  // namespace

MOKLightXmlElementItf::~MOKLightXmlElementItf() = default;

MOKLightXmlElement::MOKLightXmlElement()
    : _pName(nullptr), _pText(nullptr), _pAttributes(nullptr) {}

MOKLightXmlElement::MOKLightXmlElement(const MOKUnicodeString& name)
    : _pName(LightXmlNamePool::Acquire(name)),
      _pText(nullptr),
      _pAttributes(nullptr) {}

MOKLightXmlElement::MOKLightXmlElement(const MOKLightXmlElement& other)
    : MOKLightXmlElementItf(),
      _pName(nullptr),
      _pText(nullptr),
      _pAttributes(nullptr) {
  CopyFrom(other);
}

MOKLightXmlElement::MOKLightXmlElement(MOKLightXmlElement&& other) noexcept
    : _pName(other._pName),
      _pText(other._pText),
      _pAttributes(other._pAttributes),
      _Children(std::move(other._Children)) {
  other._pName = nullptr;
  other._pText = nullptr;
  other._pAttributes = nullptr;
  other._Children.clear();
}

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
    _Children.swap(taken._Children);
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

// A copy that runs out of memory leaves this element empty: the subtree
// made so far is freed before the exception goes on.
void MOKLightXmlElement::CopyFrom(const MOKLightXmlElement& source) {
  try {
    CopySubtree(source);
  } catch (...) {
    Reset();
    throw;
  }
}

// Copies node by node with an explicit work list: recursion would overflow
// the stack on deeply nested documents. Names and attribute blocks are
// shared, not copied. Every node is complete before its children are made.
void MOKLightXmlElement::CopySubtree(const MOKLightXmlElement& source) {
  std::vector<std::pair<const MOKLightXmlElement*, MOKLightXmlElement*>> work;
  work.emplace_back(&source, this);
  while (!work.empty()) {
    const MOKLightXmlElement* from = work.back().first;
    MOKLightXmlElement* to = work.back().second;
    work.pop_back();
    to->_pName = LightXmlNamePool::Share(from->_pName);
    if (from->_pText != nullptr) to->_pText = new MOKUnicodeString(*from->_pText);
    to->_pAttributes = LightXmlAttributes::Share(from->_pAttributes);
    to->_Children.reserve(from->_Children.size());
    for (const MOKLightXmlElement* child : from->_Children) {
      // The slot is reserved: the push cannot throw once the child exists.
      to->_Children.push_back(new MOKLightXmlElement());
      work.emplace_back(child, to->_Children.back());
    }
  }
}

// Detaches every descendant before deleting it, so that no destructor
// recurses into a subtree.
void MOKLightXmlElement::DestroyChildren() {
  std::vector<MOKLightXmlElement*> work;
  work.swap(_Children);
  while (!work.empty()) {
    MOKLightXmlElement* node = work.back();
    work.pop_back();
    work.insert(work.end(), node->_Children.begin(), node->_Children.end());
    node->_Children.clear();
    delete node;
  }
}

int MOKLightXmlElement::Assign(const MOKLightXmlElementItf& other) {
  const auto* element = dynamic_cast<const MOKLightXmlElement*>(&other);
  if (element == nullptr) return 0;
  *this = *element;
  return 1;
}

// The child is made before the slot: an allocation that throws leaves the
// children as they were, never with an empty slot.
void MOKLightXmlElement::Append(std::unique_ptr<MOKLightXmlElement>& child) {
  _Children.push_back(child.get());
  child.release();
}

int MOKLightXmlElement::AddChild(const MOKLightXmlElement& child) {
  auto copy = std::make_unique<MOKLightXmlElement>(child);
  Append(copy);
  return 1;
}

// Should the slot fail to grow, the content is handed back to the argument.
int MOKLightXmlElement::AddChild(MOKLightXmlElement&& child) {
  auto taken = std::make_unique<MOKLightXmlElement>(std::move(child));
  try {
    Append(taken);
  } catch (...) {
    child = std::move(*taken);
    throw;
  }
  return 1;
}

MOKLightXmlElement* MOKLightXmlElement::AppendNewChild() {
  auto child = std::make_unique<MOKLightXmlElement>();
  Append(child);
  return _Children.back();
}

int MOKLightXmlElement::RemoveChild(const MOKLightXmlElementItf* child) {
  for (auto it = _Children.begin(); it != _Children.end(); ++it) {
    if (*it == child) {
      MOKLightXmlElement* removed = *it;
      _Children.erase(it);
      delete removed;
      return 1;
    }
  }
  return 0;
}

void* MOKLightXmlElement::GetChildren() const {
  return _Children.empty() ? nullptr : CookieFor(0);
}

MOKLightXmlElementItf* MOKLightXmlElement::GetChild(void*& cookie) const {
  if (cookie == nullptr) return nullptr;
  std::size_t index = IndexOf(cookie);
  if (index >= _Children.size()) {
    cookie = nullptr;
    return nullptr;
  }
  cookie = CookieFor(index + 1);
  return _Children[index];
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
  return LightXmlNamePool::TextOf(_pAttributes->At(index).name);
}

const LightXmlName* MOKLightXmlElement::GetAttributeSharedNameAt(
    std::size_t index) const {
  return _pAttributes->At(index).name;
}

const MOKUnicodeString& MOKLightXmlElement::GetAttributeValueAt(
    std::size_t index) const {
  return _pAttributes->Value(index);
}

const char* MOKLightXmlElement::GetAttributeTextAt(std::size_t index,
                                                   std::size_t* length) const {
  *length = _pAttributes->At(index).length;
  return _pAttributes->ValueData(index);
}

bool MOKLightXmlElement::HasSameAttributeNames(
    const MOKLightXmlElement& other) const {
  const std::size_t count = GetAttributeCount();
  if (count != other.GetAttributeCount()) return false;
  for (std::size_t i = 0; i < count; ++i)
    if (_pAttributes->At(i).name != other._pAttributes->At(i).name)
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
  return index < GetAttributeCount() ? _pAttributes->Value(index)
                                     : EmptyText();
}

MOKUnicodeString MOKLightXmlElement::GetAttributeValue(
    const MOKUnicodeString& name, const MOKUnicodeString& defaultValue) const {
  const std::size_t index = FindAttribute(_pAttributes, name);
  if (index >= GetAttributeCount()) return defaultValue;
  return MOKUnicodeString(_pAttributes->ValueData(index),
                          _pAttributes->At(index).length);
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
