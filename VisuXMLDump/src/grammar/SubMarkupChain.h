#ifndef SubMarkupChain_h
#define SubMarkupChain_h

#include <cstdint>

#include "VisuXMLMarkup.h"

// The order chain of a markup's sub-markup table, seen through the three
// fields that hold it (block, count, head), so that the record keeps its
// layout while the chain logic stays in one place.
class SubMarkupChain {
 public:
  using Entry = VisuXMLSubMarkupToMarkupLinks;

  SubMarkupChain(Entry*& table, std::uint32_t& count, Entry*& head)
      : _Table(table), _Count(count), _Head(head) {}

  // Adds an entry at the end of the table (moving it to a bigger block,
  // head re-derived) and returns it; null when memory runs out or the
  // table is full, with nothing changed.
  Entry* Append(VisuXMLMarkup* markup, VisuXMLMarkupToMarkupLink link);

  // Adds a sub-markup entry behind the last entry of the main chain.
  Entry* AppendToMainChain(VisuXMLMarkup* markup,
                           VisuXMLMarkupToMarkupLink link);

  // Moves the sub-markup's entry from the main chain into the group: the
  // first member puts the group head in its place, later ones are chained
  // behind *last. Entries not in the main chain are left where they are.
  void MoveIntoGroup(Entry* group, const VisuXMLMarkup* markup, Entry** last);

  // The entry at or after start (head when start is null) along the chain
  // that is, or whose group holds, the markup; null when there is none.
  static Entry* Find(Entry* head, const VisuXMLMarkup* markup, Entry* start);

 private:
  Entry* LastOfMainChain() const;

  Entry*& _Table;
  std::uint32_t& _Count;
  Entry*& _Head;
};

#endif
