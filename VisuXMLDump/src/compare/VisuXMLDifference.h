#ifndef VisuXMLDifference_h
#define VisuXMLDifference_h

#include <string>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"

// What a comparison found different, one kind per error element it adds.
enum class VisuXMLDifferenceKind {
  NameMismatch,
  MarkupNotInOutput,
  MarkupNotInReference,
  ValueChanged,
  AttributeNotInOutput,
  AttributeNotInReference,
  // Memory ran out: the pair could not be compared whole.
  Uncompared
};

// One difference as the comparison reports it. The pointers are valid only
// during the call that hands it over.
struct VisuXMLDifference {
  VisuXMLDifferenceKind _Kind;
  // The elements concerned: the pair, or the one child without partner
  // (the other side then null).
  const MOKLightXmlElement* _pReference;
  const MOKLightXmlElement* _pOutput;
  // Attribute differences only.
  const MOKUnicodeString* _pAttributeName;
  // The text of the error element added for it.
  const MOKUnicodeString* _pMessage;
  // A changed value of a real attribute whose two values read as numbers;
  // otherwise the values were compared as text.
  bool _ComparedAsNumbers;
  double _ReferenceNumber;
  double _OutputNumber;
};

// One pair of elements on the way from the roots to a difference.
struct VisuXMLPlaceLevel {
  const MOKLightXmlElement* _pReference;
  const MOKLightXmlElement* _pOutput;
  // The element's step in XPath form: "/Name" for the root, then "Name[k]"
  // for the k-th child of that name.
  std::string _Step;
};

// Where a difference stands, worked out only when asked for.
class VisuXMLDifferencePlace {
 public:
  // "/Scene/Object[3]/@X": element steps as in VisuXMLPlaceLevel, an
  // unpaired child counted among the children of its own side.
  virtual std::string XPath() const = 0;
  // The compared pairs enclosing the difference, root first.
  virtual std::vector<VisuXMLPlaceLevel> Levels() const = 0;

 protected:
  ~VisuXMLDifferencePlace() = default;
};

// Told of every difference in the order the error elements are added.
class VisuXMLDifferenceListener {
 public:
  virtual void OnDifference(const VisuXMLDifference& difference,
                            const VisuXMLDifferencePlace& place) = 0;
  // Two values of a real attribute that differ as text and both read as
  // numbers, whether they agree within the tolerance or not.
  virtual void OnNumbersCompared(const MOKUnicodeString& name, double reference,
                                 double output,
                                 const VisuXMLDifferencePlace& place);

 protected:
  ~VisuXMLDifferenceListener() = default;
};

#endif
