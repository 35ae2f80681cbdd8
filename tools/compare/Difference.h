#ifndef Difference_h
#define Difference_h

#include <string>

// The kinds of difference the comparison can find.
enum class DifferenceKind {
  MarkupNameMismatch,
  MarkupNotInOutput,
  MarkupNotInReference,
  AttributeValueChanged,
  AttributeNotInOutput,
  AttributeNotInReference,
  // The comparison did not run: a "VisuXMLError" element stands in a file.
  ErrorElementPresent
};

// One difference: where it is (XPath form) and what the report says.
struct Difference {
  DifferenceKind kind;
  std::string path;
  std::string message;
};

// The largest gap found between two paired real values.
struct RealGap {
  bool found = false;
  double value = 0.0;
  std::string path;
};

#endif
