#include "SubMarkupChain.h"

#include <cstddef>

#include "LinkTable.h"

using LinkTable::Entry;

namespace {

bool GroupHolds(Entry* groupHead, const VisuXMLMarkup* markup) {
  for (Entry* member = LinkTable::FirstMember(groupHead); member != nullptr;
       member = LinkTable::Next(member)) {
    if (member->_pMarkup == markup) return true;
  }
  return false;
}

}  // namespace

Entry* SubMarkupChain::Append(VisuXMLMarkup* markup,
                              VisuXMLMarkupToMarkupLink link) {
  if (_Count >= LinkTable::kMaxSubMarkupEntries) return nullptr;
  Entry* grown = LinkTable::GrowByOne(_Table, _Count);
  if (grown == nullptr) return nullptr;
  // The head is the one absolute pointer into the block: keep its index.
  if (_Head != nullptr) _Head = grown + (_Head - _Table);
  delete[] _Table;
  _Table = grown;
  Entry* added = grown + _Count;
  added->_pMarkup = markup;
  added->_Link = link;
  ++_Count;
  return added;
}

Entry* SubMarkupChain::AppendToMainChain(VisuXMLMarkup* markup,
                                         VisuXMLMarkupToMarkupLink link) {
  Entry* added = Append(markup, link);
  if (added == nullptr) return nullptr;
  Entry* last = LastOfMainChain();
  if (last == nullptr) {
    _Head = added;
  } else {
    last->_iOffsetToNext = LinkTable::Distance(last, added);
  }
  return added;
}

void SubMarkupChain::MoveIntoGroup(Entry* group, const VisuXMLMarkup* markup,
                                   Entry** last) {
  Entry* previous = nullptr;
  Entry* entry = _Head;
  while (entry != nullptr && entry->_pMarkup != markup) {
    previous = entry;
    entry = LinkTable::Next(entry);
  }
  if (entry == nullptr) return;  // already in a group, or named twice
  Entry* successor = LinkTable::Next(entry);
  if (*last == nullptr) {
    // The group takes the place of its first member in the main chain.
    group->_iOffsetToGroup = LinkTable::Distance(group, entry);
    group->_iOffsetToNext = LinkTable::OffsetTo(group, successor);
    if (previous == nullptr) {
      _Head = group;
    } else {
      previous->_iOffsetToNext = LinkTable::Distance(previous, group);
    }
  } else {
    (*last)->_iOffsetToNext = LinkTable::Distance(*last, entry);
    if (previous == nullptr) {
      _Head = successor;
    } else {
      previous->_iOffsetToNext = LinkTable::OffsetTo(previous, successor);
    }
  }
  entry->_iOffsetToNext = 0;
  *last = entry;
}

Entry* SubMarkupChain::Find(Entry* head, const VisuXMLMarkup* markup,
                            Entry* start) {
  for (Entry* entry = start != nullptr ? start : head; entry != nullptr;
       entry = LinkTable::Next(entry)) {
    if (entry->_pMarkup == markup) return entry;
    if (entry->_iOffsetToGroup != 0 && GroupHolds(entry, markup)) return entry;
  }
  return nullptr;
}

Entry* SubMarkupChain::LastOfMainChain() const {
  Entry* entry = _Head;
  if (entry == nullptr) return nullptr;
  while (Entry* next = LinkTable::Next(entry)) entry = next;
  return entry;
}
