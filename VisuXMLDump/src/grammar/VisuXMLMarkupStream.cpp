// The run-time half of VisuXMLMarkup: the stack of open markups, the checks
// of every step against the grammar, and the element tree with its error
// elements.
#include <initializer_list>
#include <memory>
#include <new>
#include <utility>

#include "LinkTable.h"
#include "MOKLightXmlText.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"
#include "VisuXMLMarkupHistory.h"
#include "VisuXMLNoThrow.h"
#include "VisuXMLResultCodes.h"
#include "VisuXMLVocabulary.h"

VisuXMLMarkupHistory** VisuXMLMarkup::_sppMarkupHistory = nullptr;
std::uint32_t VisuXMLMarkup::_suiSizeOfMarkupHistory = 0;
std::uint32_t VisuXMLMarkup::_suiNbMarkupLevels = 0;
MOKLightXmlElement* VisuXMLMarkup::_spXMLRootNode = nullptr;

namespace {

// The element that will hold the finished tree of the outermost markup.
// It is allocated when that markup opens, so that its close cannot lose the
// whole document to a failed allocation.
MOKLightXmlElement* gReservedTreeHolder = nullptr;

bool ReserveTreeHolder() {
  if (gReservedTreeHolder == nullptr)
    gReservedTreeHolder = new (std::nothrow) MOKLightXmlElement();
  return gReservedTreeHolder != nullptr;
}

// Moves the finished tree into the reserved holder and hands the holder on.
MOKLightXmlElement* TakeTreeHolder(MOKLightXmlElement&& tree) {
  if (!ReserveTreeHolder()) return nullptr;
  MOKLightXmlElement* const holder = gReservedTreeHolder;
  gReservedTreeHolder = nullptr;
  *holder = std::move(tree);
  return holder;
}

// Frees an entry that never reached the stack, its instance included.
struct ReleaseEntry {
  void operator()(VisuXMLMarkupHistory* entry) const {
    VisuXMLMarkupHistory::Release(entry);
  }
};
using OwnedEntry = std::unique_ptr<VisuXMLMarkupHistory, ReleaseEntry>;

constexpr std::uint32_t kNoAttributeIndex = 0xFFFFFFFFu;
constexpr int kNamesEqual = 2;

// Replaces the message with the pieces, joined in order.
void SetMessage(MOKUnicodeString& message,
                std::initializer_list<MOKUnicodeString> pieces) {
  message = MOKUnicodeString();
  for (const MOKUnicodeString& piece : pieces) message += piece;
}

// The link that still points at the declared attribute itself: found by
// address, before any name is compared. A link whose attribute already got
// a value holds a copy, which only the search by name finds.
std::uint32_t FindLinkTo(const VisuXMLAttributeLinks* links,
                         std::uint32_t count,
                         const VisuXMLAttribute* declared) {
  for (std::uint32_t i = 0; i < count; ++i)
    if (links[i]._pAttribute == declared) return i;
  return kNoAttributeIndex;
}

}  // namespace

// ---- Public operations ----

VisuXMLError VisuXMLMarkup::OpenMarkup(const MOKUnicodeString& name) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    VisuXMLMarkup* const declared = FindDeclaredMarkup(name);
    if (declared != nullptr) return declared->PushMarkupInHistory();
    SetMessage(_sErrorMessage,
               {"The XML markup provided - ", name, " - does not exist."});
    if (_suiNbMarkupLevels > 0) {
      OpenWaitingMarkups();
      VisuXMLMarkupHistory* const top = VisuXMLMarkupHistory::Top();
      StreamXMLErrorMessage(top == nullptr ? nullptr : &top->_XMLNode);
    }
    return VisuXMLResult::kFailed;
  });
}

VisuXMLError VisuXMLMarkup::SetAttributeValue(
    const MOKUnicodeString& attributeName, const MOKUnicodeString& value) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    VisuXMLMarkupHistory* const top = VisuXMLMarkupHistory::Top();
    if (top == nullptr || top->_pMarkupInstance == nullptr ||
        VisuXMLAttribute::_spFirstAttribute == nullptr) {
      return VisuXMLResult::kSuccess;
    }
    const auto writeErrorIntoTop = [top]() -> VisuXMLError {
      OpenWaitingMarkups();
      StreamXMLErrorMessage(&top->_XMLNode);
      return VisuXMLResult::kFailed;
    };
    VisuXMLMarkup* const instance = top->_pMarkupInstance;
    VisuXMLAttribute* const declared =
        VisuXMLAttribute::_spFirstAttribute->RetrieveXMLAttribute(
            attributeName);
    if (declared == nullptr) {
      SetMessage(_sErrorMessage, {"The XML attribute provided - ",
                                  attributeName, " - does not exist."});
      return writeErrorIntoTop();
    }
    std::uint32_t index = FindLinkTo(instance->_pAttributeLinks,
                                     instance->_uiNbAttributeLinks, declared);
    if (index == kNoAttributeIndex)
      index = instance->SearchForAttributeByName(attributeName);
    if (index == kNoAttributeIndex) {
      SetMessage(_sErrorMessage,
                 {"The XML attribute provided - ", attributeName,
                  " - is not valid for the XML markup ", instance->_Name, "."});
      return writeErrorIntoTop();
    }
    VisuXMLAttributeLinks& link = instance->_pAttributeLinks[index];
    if (link._OwnsAttribute != 0) {
      link._pAttribute->SetValue(value);
      return VisuXMLResult::kSuccess;
    }
    // The first value goes into a copy owned by the instance; the declared
    // attribute keeps its unset value for every other instance.
    // It is installed only once it holds the value, which may throw.
    const auto dropCopy = [](VisuXMLAttribute* attribute) { delete attribute; };
    std::unique_ptr<VisuXMLAttribute, decltype(dropCopy)> copy(
        new (std::nothrow) VisuXMLAttribute(*declared), dropCopy);
    if (copy == nullptr) return VisuXMLResult::kNotCreated;
    copy->SetValue(value);
    link._pAttribute = copy.release();
    link._uiNbUses += 1;
    link._OwnsAttribute = 1;
    return VisuXMLResult::kSuccess;
  });
}

VisuXMLError VisuXMLMarkup::SetText(const MOKUnicodeString& text) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    VisuXMLMarkupHistory* const top = VisuXMLMarkupHistory::Top();
    if (top != nullptr && top->_pMarkupInstance != nullptr) {
      top->_pMarkupInstance->_Text = text;
      // Bytes the writer would replace are replaced here already.
      MOKLightXmlMakeWritable(top->_pMarkupInstance->_Text);
    }
    return VisuXMLResult::kSuccess;
  });
}

VisuXMLError VisuXMLMarkup::CloseMarkup(const MOKUnicodeString& name) {
  return VisuXMLGuardResult([&]() -> VisuXMLError {
    if (_suiNbMarkupLevels == 0) {
      SetMessage(_sErrorMessage, {"The XML markup history is empty."});
      return VisuXMLResult::kFailed;
    }
    VisuXMLMarkupHistory* const top = VisuXMLMarkupHistory::Top();
    if (top == nullptr || top->_pMarkupInstance == nullptr)
      return VisuXMLResult::kSuccess;
    VisuXMLMarkup* const instance = top->_pMarkupInstance;
    if (name.Compare(instance->_Name) == kNamesEqual) {
      return instance->PopMarkupFromHistory();
    }
    // The markup closes even when memory runs out for its message, so that
    // the stack keeps following the caller's nesting.
    const VisuXMLError written = VisuXMLGuardResult([&name, top, instance]() {
      SetMessage(_sErrorMessage, {"The XML markup to close ", name,
                                  " doesn't match the last opened markup ",
                                  instance->_Name, "."});
      OpenWaitingMarkups();
      StreamXMLErrorMessage(&top->_XMLNode);
      return VisuXMLResult::kFailed;
    });
    instance->PopMarkupFromHistory();
    return written;
  });
}

MOKLightXmlElement* VisuXMLMarkup::GetXMLStreamNode() {
  // Handed out once: the caller owns the tree from now on.
  MOKLightXmlElement* const tree = _spXMLRootNode;
  _spXMLRootNode = nullptr;
  return tree;
}

void VisuXMLMarkup::ClearMarkupsHistory() {
  if (_sppMarkupHistory != nullptr) {
    for (std::uint32_t i = 0; i < _suiNbMarkupLevels; ++i) {
      VisuXMLMarkupHistory::Release(_sppMarkupHistory[i]);
    }
    delete[] _sppMarkupHistory;
  }
  _sppMarkupHistory = nullptr;
  _suiSizeOfMarkupHistory = 0;
  _suiNbMarkupLevels = 0;
  delete gReservedTreeHolder;
  gReservedTreeHolder = nullptr;
}

// ---- Writing ----

// Only the top entry can be waiting (opening a sub-markup writes its parent
// first), so both passes look at the top alone: walking the whole stack on
// every call would make deep documents quadratic. The attribute test runs
// before the writing because a missing required attribute replaces the
// message that the writing then appends.
void VisuXMLMarkup::OpenWaitingMarkups() {
  VisuXMLMarkupHistory* const top = VisuXMLMarkupHistory::Top();
  if (top == nullptr || top->_pMarkupInstance == nullptr) return;
  VisuXMLMarkup* const instance = top->_pMarkupInstance;
  if (instance->_OpenedInStream == 1) return;
  if (top->_ErrorPending == 0) {
    top->_ErrorPending = instance->CheckAttributeValidation() != 0 ? 1 : 0;
  }
  instance->OpenMarkupInStream(&top->_XMLNode);
  if (top->_ErrorPending != 0) {
    StreamXMLErrorMessage(&top->_XMLNode);
    top->_ErrorPending = 0;
  }
}

void VisuXMLMarkup::StreamXMLErrorMessage(MOKLightXmlElement* node) {
  if (node == nullptr || _sErrorMessage.GetLengthInByte() == 0) return;
  MOKLightXmlElement error;
  error.SetName(VisuXMLVocabulary::kErrorElement);
  error.SetValue(_sErrorMessage);
  node->AddChild(std::move(error));
  _sErrorMessage = MOKUnicodeString();
}

VisuXMLError VisuXMLMarkup::OpenMarkupInStream(MOKLightXmlElement* element) {
  if (element == nullptr) return VisuXMLResult::kSuccess;
  element->SetName(_Name);
  // The links name distinct attributes: on an element without attributes
  // yet, each can be appended without looking for its name first.
  const bool fresh = element->GetAttributeCount() == 0;
  if (fresh) {
    std::size_t count = 0;
    std::size_t bytes = 0;
    for (std::uint32_t i = 0; i < _uiNbAttributeLinks; ++i) {
      const VisuXMLAttributeLinks& link = _pAttributeLinks[i];
      if (link._pAttribute == nullptr) continue;
      if (link._Link != VisuXMLOptionalAttribute || link._uiNbUses != 0) {
        ++count;
        bytes += static_cast<std::size_t>(
            link._pAttribute->_Value.GetLengthInByte());
      }
    }
    element->ReserveAttributes(count, bytes);
  }
  VisuXMLError result = VisuXMLResult::kSuccess;
  for (std::uint32_t i = 0; i < _uiNbAttributeLinks && result == 0; ++i) {
    const VisuXMLAttributeLinks& link = _pAttributeLinks[i];
    if (link._pAttribute == nullptr) continue;
    if (link._Link != VisuXMLOptionalAttribute || link._uiNbUses != 0) {
      if (fresh)
        element->AppendAttribute(link._pAttribute->_Name,
                                 link._pAttribute->_Value);
      else
        result = link._pAttribute->StreamAttribute(element);
    }
  }
  if (_Text.GetLengthInByte() != 0) element->SetValue(_Text);
  if (result == 0) _OpenedInStream = 1;
  return result;
}

VisuXMLError VisuXMLMarkup::CloseMarkupInStream() {
  _OpenedInStream = 0;
  return VisuXMLResult::kSuccess;
}

// ---- Opening ----

VisuXMLError VisuXMLMarkup::PushMarkupInHistory() {
  if (!VisuXMLMarkupHistory::MakeRoom()) return VisuXMLResult::kNotCreated;
  if (_suiNbMarkupLevels == 0) {
    if (!ReserveTreeHolder()) return VisuXMLResult::kNotCreated;
    OwnedEntry entry(VisuXMLMarkupHistory::CreateFor(*this));
    if (entry == nullptr) return VisuXMLResult::kNotCreated;
    const VisuXMLError result = _Type == VisuXMLRootMarkup ? 0 : 1;
    if (result != 0) {
      // Composed and written before the entry is pushed, so that memory
      // running out here frees the entry and 3 still means nothing pushed.
      // Written before the element has a name: it becomes the first child.
      entry->_ErrorPending = 1;
      SetMessage(_sErrorMessage,
                 {"The XML markup provided - ", _Name,
                  " - has not been declared as the root markup."});
      StreamXMLErrorMessage(&entry->_XMLNode);
    }
    _sppMarkupHistory[0] = entry.release();
    _suiNbMarkupLevels = 1;
    return result;
  }
  OpenWaitingMarkups();
  VisuXMLMarkupHistory* const parent = VisuXMLMarkupHistory::Top();
  if (parent == nullptr || parent->_pMarkupInstance == nullptr)
    return VisuXMLResult::kSuccess;
  // Held here until it is on the stack: a message that cannot be composed
  // then frees it rather than leaving it in the slot above the top.
  OwnedEntry entry(VisuXMLMarkupHistory::CreateFor(*this));
  if (entry == nullptr) return VisuXMLResult::kNotCreated;
  const VisuXMLError result = AuthorizeMarkupToOpen();
  if (result == 0) {
    VisuXMLMarkup* const parentInstance = parent->_pMarkupInstance;
    parent->_pCurrentInChain =
        parentInstance->SearchForMarkupInChain(this, parent->_pCurrentInChain);
    parentInstance->IncrementUseOfSubMarkup(this, parent->_pCurrentInChain);
  } else {
    entry->_ErrorPending = 1;
  }
  _sppMarkupHistory[_suiNbMarkupLevels] = entry.release();
  _suiNbMarkupLevels += 1;
  return result;
}

VisuXMLError VisuXMLMarkup::AuthorizeMarkupToOpen() {
  VisuXMLMarkupHistory* const parent = VisuXMLMarkupHistory::Top();
  if (parent == nullptr || parent->_pMarkupInstance == nullptr)
    return VisuXMLResult::kSuccess;
  VisuXMLMarkup* const parentInstance = parent->_pMarkupInstance;
  if (!parentInstance->SearchForMarkupInSubMarkups(this)) {
    SetMessage(_sErrorMessage, {"The XML markup ", _Name,
                                " is not an authorized sub-markup for ",
                                parentInstance->_Name, "."});
    return VisuXMLResult::kFailed;
  }
  if (parentInstance->SearchForMarkupInChain(this, parent->_pCurrentInChain) !=
      nullptr) {
    return VisuXMLResult::kSuccess;
  }
  SetMessage(_sErrorMessage, {"Wrong order for the sub-markups of the ",
                              parentInstance->_Name, " markup."});
  return VisuXMLResult::kFailed;
}

void VisuXMLMarkup::IncrementUseOfSubMarkup(
    const VisuXMLMarkup* markup, VisuXMLSubMarkupToMarkupLinks* entry) {
  if (entry == nullptr) return;
  entry->_uiNbUses += 1;
  // A group head stands for its members: the member opened counts too.
  for (VisuXMLSubMarkupToMarkupLinks* member = LinkTable::FirstMember(entry);
       member != nullptr; member = LinkTable::Next(member)) {
    if (member->_pMarkup == markup) {
      member->_uiNbUses += 1;
      return;
    }
  }
}

// ---- Closing ----

VisuXMLError VisuXMLMarkup::PopMarkupFromHistory() {
  // Frees this markup (the entry's instance) when the close ends.
  VisuXMLClosingEntry entry;
  if (CheckSubMarkupsValidation() != 0) entry->_ErrorPending = 1;
  OpenWaitingMarkups();
  if (entry->_ErrorPending != 0) {
    StreamXMLErrorMessage(&entry->_XMLNode);
    entry->_ErrorPending = 0;
  }
  CloseMarkupInStream();
  entry.Detach();
  if (_suiNbMarkupLevels == 0) {
    // A tree nobody took is replaced: free it rather than lose it.
    delete _spXMLRootNode;
    _spXMLRootNode = TakeTreeHolder(std::move(entry->_XMLNode));
  } else {
    VisuXMLMarkupHistory* const parent = VisuXMLMarkupHistory::Top();
    parent->_XMLNode.AddChild(std::move(entry->_XMLNode));
  }
  return VisuXMLResult::kSuccess;
}

// ---- Tests ----

VisuXMLError VisuXMLMarkup::CheckAttributeValidation() {
  for (std::uint32_t i = 0; i < _uiNbAttributeLinks; ++i) {
    const VisuXMLAttributeLinks& link = _pAttributeLinks[i];
    if (link._pAttribute == nullptr || link._Link != VisuXMLRequiredAttribute ||
        link._uiNbUses != 0) {
      continue;
    }
    SetMessage(_sErrorMessage,
               {"The XML attribute ", link._pAttribute->_Name,
                " is required for the XML markup ", _Name, "."});
    return VisuXMLResult::kFailed;
  }
  return VisuXMLResult::kSuccess;
}

VisuXMLError VisuXMLMarkup::CheckSubMarkupsValidation() {
  for (std::uint32_t i = 0; i < _uiNbSubMarkupLinks; ++i) {
    const VisuXMLSubMarkupToMarkupLinks& link = _pSubMarkupLinks[i];
    if (link._pMarkup == nullptr) continue;
    const MOKUnicodeString& subName = link._pMarkup->_Name;
    if (link._Link == VisuXMLOnlyOnce && link._uiNbUses != 1) {
      SetMessage(_sErrorMessage,
                 {"The XML markup ", subName,
                  " must appear only once in the XML markup ", _Name, "."});
      return VisuXMLResult::kFailed;
    }
    if (link._Link == VisuXMLAtLeastOnce && link._uiNbUses == 0) {
      SetMessage(_sErrorMessage,
                 {"The XML markup ", subName,
                  " must appear at least once in the XML markup ", _Name, "."});
      return VisuXMLResult::kFailed;
    }
    if (link._Link == VisuXMLNotValid) {
      SetMessage(_sErrorMessage,
                 {"The XML markup ", subName, " is not valid."});
      return VisuXMLResult::kFailed;
    }
  }
  return VisuXMLResult::kSuccess;
}
