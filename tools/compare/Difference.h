#ifndef Difference_h
#define Difference_h

#include <string>

// The kinds of difference the tool reports, in the summary's order.
enum class DifferenceKind {
  NameMismatch,
  MarkupNotInOutput,
  MarkupNotInReference,
  ValueChanged,
  AttributeNotInOutput,
  AttributeNotInReference,
  // Memory ran out: a pair could not be compared whole.
  Uncompared,
  // Nothing was compared: a "VisuXMLError" element stands in a file.
  ErrorElementPresent
};

constexpr int kDifferenceKinds =
    static_cast<int>(DifferenceKind::ErrorElementPresent) + 1;

// One difference: where it is (XPath form), what the report says, and for
// a changed real value the two numbers.
struct FoundDifference {
  DifferenceKind kind = DifferenceKind::ValueChanged;
  std::string path;
  std::string message;
  // Attribute differences only.
  std::string attributeName;
  bool comparedAsNumbers = false;
  double referenceNumber = 0.0;
  double outputNumber = 0.0;
};

// Takes the differences one by one, in the order they are found.
class DifferenceSink {
 public:
  virtual void Take(const FoundDifference& difference) = 0;

 protected:
  ~DifferenceSink() = default;
};

// The largest gap found between two real values that differ as text.
struct RealGap {
  bool found = false;
  double value = 0.0;
  std::string path;
};

// What the summary needs, whatever became of the differences themselves.
struct DifferenceTally {
  unsigned long counts[kDifferenceKinds] = {};
  unsigned long total = 0;
  RealGap largestAbsolute;
  RealGap largestRelative;
};

#endif
