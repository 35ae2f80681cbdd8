#ifndef VisuXMLDifferenceDigest_h
#define VisuXMLDifferenceDigest_h

#include <cstddef>
#include <string>
#include <vector>

#include "compare/VisuXMLDifference.h"

// The first few differences of a comparison, each as one line: its XPath
// place, then the report's message. Only those are placed, so a large
// comparison costs no more for being digested.
class VisuXMLDifferenceDigest : public VisuXMLDifferenceListener {
 public:
  static constexpr std::size_t kMostLines = 5;

  void OnDifference(const VisuXMLDifference& difference,
                    const VisuXMLDifferencePlace& place) override;

  const std::vector<std::string>& GetLines() const { return _Lines; }

 private:
  std::vector<std::string> _Lines;
};

#endif
