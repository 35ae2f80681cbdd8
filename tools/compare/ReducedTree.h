#ifndef ReducedTree_h
#define ReducedTree_h

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "MOKLightXmlElement.h"
#include "compare/VisuXMLDifference.h"

// The reference tree cut down to the branches that hold differences: the
// elements on the way from the root to each difference, each with a few of
// its attributes for context and the count of its children left out, and
// the differences where they were found. It grows with the differences,
// never with the documents.
class ReducedTree {
 public:
  static constexpr std::size_t kNoElement = static_cast<std::size_t>(-1);
  // Attributes and value bytes an element shows for context.
  static constexpr std::size_t kContextAttributes = 4;
  static constexpr std::size_t kContextValueBytes = 40;
  // Levels kept on the way to a difference: the root and those nearest
  // the difference, so that a document nested a million deep still gives
  // a page of a few rows.
  static constexpr std::size_t kKeptLevels = 12;

  // An attribute shown for context.
  struct Attribute {
    std::string name;
    std::string value;
    bool differs = false;
  };

  // An element of the reference on the way to a difference.
  struct Element {
    std::string step;
    // Levels left out between the element above and this one.
    std::size_t levelsLeftOut = 0;
    std::vector<Attribute> attributes;
    std::size_t attributeCount = 0;
    std::size_t childCount = 0;
    // Children of the reference standing in the tree, as elements or as
    // the differences that stand for them.
    std::size_t childrenShown = 0;
    // Some of its own attributes differ.
    bool differs = false;
  };

  // One row of the tree in document order: an element, or a difference
  // known by the caller's number.
  struct Row {
    bool isElement;
    std::size_t index;
    std::size_t depth;
  };

  // The element innermost of the levels, made with those above it when
  // they are new; kNoElement when there are no levels.
  std::size_t Enter(const std::vector<VisuXMLPlaceLevel>& levels);
  // Places the caller's difference in the element (kNoElement: above the
  // root), after what is there already. standsForChild: it stands for a
  // child of the reference, such as a missing one.
  void AddDifference(std::size_t element, std::size_t difference,
                     bool standsForChild);
  // Highlights the element and, when it shows one, its attribute.
  void MarkAttribute(std::size_t element, const std::string& name);

  const std::vector<Element>& Elements() const { return _Elements; }
  // Every row in document order, worked out without recursion.
  std::vector<Row> Rows() const;
  // Elements are known by their address in the reference, which may go
  // once its comparison is over.
  void ForgetReference() { _Known.clear(); }

 private:
  struct Entry {
    bool isElement;
    std::size_t index;
  };

  std::size_t Add(const VisuXMLPlaceLevel& level, std::size_t parent,
                  std::size_t levelsLeftOut);
  std::vector<Entry>& EntriesOf(std::size_t element) {
    return element == kNoElement ? _TopEntries : _Entries[element];
  }

  std::vector<Element> _Elements;
  // What stands in each element, in order.
  std::vector<std::vector<Entry>> _Entries;
  std::vector<Entry> _TopEntries;
  std::unordered_map<const MOKLightXmlElement*, std::size_t> _Known;
};

#endif
