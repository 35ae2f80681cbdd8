#include "ReducedTree.h"

#include "PageText.h"

namespace {

void ShowAttributes(const MOKLightXmlElement& element,
                    ReducedTree::Element& shown) {
  shown.attributeCount = element.GetAttributeCount();
  for (std::size_t i = 0;
       i < shown.attributeCount && i < ReducedTree::kContextAttributes; ++i) {
    std::size_t length = 0;
    const char* value = element.GetAttributeTextAt(i, &length);
    shown.attributes.push_back(ReducedTree::Attribute{
        element.GetAttributeNameAt(i).GetText(),
        ShownText(value, length, ReducedTree::kContextValueBytes), false});
  }
}

}  // namespace

std::size_t ReducedTree::Enter(const std::vector<VisuXMLPlaceLevel>& levels) {
  const std::size_t count = levels.size();
  const std::size_t nearest = count > kKeptLevels ? count - kKeptLevels + 1 : 1;
  std::size_t element = kNoElement;
  for (std::size_t i = 0; i < count; i = i == 0 ? nearest : i + 1) {
    const auto known = _Known.find(levels[i]._pReference);
    element = known != _Known.end()
                  ? known->second
                  : Add(levels[i], element, i == nearest ? nearest - 1 : 0);
  }
  return element;
}

std::size_t ReducedTree::Add(const VisuXMLPlaceLevel& level, std::size_t parent,
                             std::size_t levelsLeftOut) {
  Element shown;
  shown.step = level._Step;
  if (parent == kNoElement && shown.step.compare(0, 1, "/") != 0)
    shown.step.insert(0, "/");
  shown.levelsLeftOut = levelsLeftOut;
  if (level._pReference != nullptr) {
    ShowAttributes(*level._pReference, shown);
    shown.childCount = level._pReference->GetChildCount();
  }
  const std::size_t index = _Elements.size();
  _Elements.push_back(std::move(shown));
  _Entries.emplace_back();
  EntriesOf(parent).push_back(Entry{true, index});
  if (parent != kNoElement && levelsLeftOut == 0)
    ++_Elements[parent].childrenShown;
  _Known.emplace(level._pReference, index);
  return index;
}

void ReducedTree::AddDifference(std::size_t element, std::size_t difference,
                                bool standsForChild) {
  EntriesOf(element).push_back(Entry{false, difference});
  if (standsForChild && element != kNoElement)
    ++_Elements[element].childrenShown;
}

void ReducedTree::MarkAttribute(std::size_t element, const std::string& name) {
  if (element == kNoElement) return;
  Element& shown = _Elements[element];
  shown.differs = true;
  for (Attribute& attribute : shown.attributes)
    if (attribute.name == name) attribute.differs = true;
}

std::vector<ReducedTree::Row> ReducedTree::Rows() const {
  struct Cursor {
    const std::vector<Entry>* entries;
    std::size_t next;
    std::size_t depth;
  };
  std::vector<Row> rows;
  std::vector<Cursor> cursors{Cursor{&_TopEntries, 0, 0}};
  while (!cursors.empty()) {
    Cursor& top = cursors.back();
    if (top.next == top.entries->size()) {
      cursors.pop_back();
      continue;
    }
    const Entry entry = (*top.entries)[top.next++];
    const std::size_t depth = top.depth;
    rows.push_back(Row{entry.isElement, entry.index, depth});
    if (entry.isElement)
      cursors.push_back(Cursor{&_Entries[entry.index], 0, depth + 1});
  }
  return rows;
}
