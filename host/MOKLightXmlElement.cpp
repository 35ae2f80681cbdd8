#include "MOKLightXmlElement.h"

#include <cstdint>
#include <utility>

namespace {

// Cookies are 1-based positions so that a null cookie means "no more".
void* CookieFor(std::size_t index) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(index) + 1);
}

std::size_t IndexOf(void* cookie) {
  return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(cookie)) -
         1;
}

const MOKUnicodeString& EmptyText() {
  static const MOKUnicodeString empty;
  return empty;
}

}  // namespace

MOKLightXmlElementItf::~MOKLightXmlElementItf() = default;

MOKLightXmlElement::MOKLightXmlElement() = default;

MOKLightXmlElement::MOKLightXmlElement(const MOKUnicodeString& name)
    : _Name(name) {}

MOKLightXmlElement::MOKLightXmlElement(const MOKLightXmlElement& other)
    : MOKLightXmlElementItf() {
  CopyFrom(other);
}

MOKLightXmlElement::MOKLightXmlElement(MOKLightXmlElement&& other) noexcept
    : _Name(std::move(other._Name)),
      _Value(std::move(other._Value)),
      _Attributes(std::move(other._Attributes)),
      _Children(std::move(other._Children)) {
  other._Attributes.clear();
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
    _Name = std::move(taken._Name);
    _Value = std::move(taken._Value);
    _Attributes = std::move(taken._Attributes);
    _Children = std::move(taken._Children);
    taken._Attributes.clear();
    taken._Children.clear();
  }
  return *this;
}

MOKLightXmlElement::~MOKLightXmlElement() { DestroyChildren(); }

// Copies node by node with an explicit work list: recursion would overflow
// the stack on deeply nested documents.
void MOKLightXmlElement::CopyFrom(const MOKLightXmlElement& source) {
  std::vector<std::pair<const MOKLightXmlElement*, MOKLightXmlElement*>> work;
  work.emplace_back(&source, this);
  while (!work.empty()) {
    const MOKLightXmlElement* from = work.back().first;
    MOKLightXmlElement* to = work.back().second;
    work.pop_back();
    to->_Name = from->_Name;
    to->_Value = from->_Value;
    to->_Attributes = from->_Attributes;
    to->_Children.reserve(from->_Children.size());
    for (const MOKLightXmlElement* child : from->_Children) {
      MOKLightXmlElement* copy = new MOKLightXmlElement();
      to->_Children.push_back(copy);
      work.emplace_back(child, copy);
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

int MOKLightXmlElement::AddChild(const MOKLightXmlElement& child) {
  _Children.push_back(new MOKLightXmlElement(child));
  return 1;
}

int MOKLightXmlElement::AddChild(MOKLightXmlElement&& child) {
  _Children.push_back(new MOKLightXmlElement(std::move(child)));
  return 1;
}

void MOKLightXmlElement::AppendAttribute(const MOKUnicodeString& name,
                                         const MOKUnicodeString& value) {
  _Attributes.emplace_back(name, value);
}

MOKLightXmlElement* MOKLightXmlElement::AppendNewChild() {
  _Children.push_back(new MOKLightXmlElement());
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

const MOKUnicodeString& MOKLightXmlElement::GetName() const { return _Name; }

int MOKLightXmlElement::SetName(const MOKUnicodeString& name) {
  _Name = name;
  return 1;
}

void* MOKLightXmlElement::GetAttributes() const {
  return _Attributes.empty() ? nullptr : CookieFor(0);
}

const MOKUnicodeString* MOKLightXmlElement::GetAttributeName(
    void*& cookie) const {
  if (cookie == nullptr) return nullptr;
  std::size_t index = IndexOf(cookie);
  if (index >= _Attributes.size()) {
    cookie = nullptr;
    return nullptr;
  }
  cookie = CookieFor(index + 1);
  return &_Attributes[index].first;
}

const MOKUnicodeString& MOKLightXmlElement::GetAttributeValue(
    const MOKUnicodeString& name) const {
  for (const auto& attribute : _Attributes)
    if (attribute.first.GetText() == name.GetText()) return attribute.second;
  return EmptyText();
}

MOKUnicodeString MOKLightXmlElement::GetAttributeValue(
    const MOKUnicodeString& name, const MOKUnicodeString& defaultValue) const {
  for (const auto& attribute : _Attributes)
    if (attribute.first.GetText() == name.GetText()) return attribute.second;
  return defaultValue;
}

int MOKLightXmlElement::SetAttributeValue(const MOKUnicodeString& name,
                                          const MOKUnicodeString& value) {
  for (auto& attribute : _Attributes) {
    if (attribute.first.GetText() == name.GetText()) {
      attribute.second = value;
      return 1;
    }
  }
  _Attributes.emplace_back(name, value);
  return 1;
}

int MOKLightXmlElement::RemoveAttribute(const MOKUnicodeString& name) {
  for (auto it = _Attributes.begin(); it != _Attributes.end(); ++it) {
    if (it->first.GetText() == name.GetText()) {
      _Attributes.erase(it);
      return 1;
    }
  }
  return 0;
}

const MOKUnicodeString& MOKLightXmlElement::GetValue() const { return _Value; }

int MOKLightXmlElement::SetValue(const MOKUnicodeString& value) {
  _Value = value;
  return 1;
}

void MOKLightXmlElement::Reset() {
  DestroyChildren();
  _Name = MOKUnicodeString();
  _Value = MOKUnicodeString();
  _Attributes.clear();
}
