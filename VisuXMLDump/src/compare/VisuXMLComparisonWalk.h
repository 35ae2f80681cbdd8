#ifndef VisuXMLComparisonWalk_h
#define VisuXMLComparisonWalk_h

#include "MOKLightXmlElement.h"
#include "VisuXMLFile.h"
#include "compare/VisuXMLComparisonSettings.h"
#include "compare/VisuXMLDifference.h"

// Walks a reference tree and an output tree together into a result tree,
// with the settings it is given: children paired by position, attributes
// by name, every difference an error element filled by the file's hooks
// and counted, and told to the listener (if any) with where it stands.
//
// The walk keeps a stack of the pairs it is inside instead of recursing,
// so nesting depth costs heap, not call stack.
class VisuXMLComparisonWalk {
 public:
  VisuXMLComparisonWalk(VisuXMLFile& file,
                        const VisuXMLComparisonSettings& settings,
                        VisuXMLDifferenceListener* listener,
                        unsigned int& errorCount);
  ~VisuXMLComparisonWalk();
  VisuXMLComparisonWalk(const VisuXMLComparisonWalk&) = delete;
  VisuXMLComparisonWalk& operator=(const VisuXMLComparisonWalk&) = delete;

  // Compares the reference file with the output file into result: 1 when
  // nothing differed. Without both roots nothing is compared and 1 is
  // returned. A walk cut short by running out of memory counts as one
  // difference. *count, when given, receives the number of differences.
  static unsigned char Compare(VisuXMLFile& reference, VisuXMLFile* output,
                               MOKLightXmlElement& result,
                               const VisuXMLComparisonSettings& settings,
                               VisuXMLDifferenceListener* listener,
                               unsigned int* count = nullptr);

  // The pair and everything below it; its result goes into parent.
  void ComparePair(MOKLightXmlElement* reference, MOKLightXmlElement* output,
                   MOKLightXmlElement& parent);
  // The attributes of a pair of equally named elements.
  void CompareAttributes(MOKLightXmlElement* reference,
                         MOKLightXmlElement* output,
                         MOKLightXmlElement& result);
  // The children left over on the longer side of a pair: the reference's
  // first, then the output's.
  void ReportUnpairedChildren(MOKLightXmlElement* reference,
                              MOKLightXmlElement* output,
                              MOKLightXmlElement& result);

 private:
  struct Frame;
  class Place;
  struct Values;
  using AttributesChain = VisuXMLFile::VisuXMLAttributesChain;
  using ChildrenChain = VisuXMLFile::VisuXMLChildrenChain;

  void CompareAligned(MOKLightXmlElement* reference, MOKLightXmlElement* output,
                      MOKLightXmlElement& result);
  void PairAttributes(MOKLightXmlElement* reference, MOKLightXmlElement* output,
                      MOKLightXmlElement& result);
  void ReportUnmatchedAttributes(AttributesChain* chain,
                                 VisuXMLFile::_VisuXMLAttributeError error,
                                 MOKLightXmlElement* reference,
                                 MOKLightXmlElement* output,
                                 MOKLightXmlElement& result, bool append);
  void ReportUnmatchedChildren(ChildrenChain* chain, bool referenceSide,
                               MOKLightXmlElement& result);
  Values CompareValues(const MOKUnicodeString& name, const char* reference,
                       std::size_t referenceLength, const char* output,
                       std::size_t outputLength);
  void AddAttributeError(VisuXMLFile::_VisuXMLAttributeError error,
                         MOKLightXmlElement* reference,
                         MOKLightXmlElement* output,
                         const MOKUnicodeString* name,
                         MOKLightXmlElement& result, const Values* values);
  void AddMarkupError(VisuXMLFile::_VisuXMLMarkupError error,
                      MOKLightXmlElement* reference, MOKLightXmlElement* output,
                      MOKLightXmlElement& result, const Place& place);
  void AddUncompared(MOKLightXmlElement& result, const Place& place);
  void Tell(const VisuXMLDifference& difference, const Place& place);
  std::size_t CurrentPairIndex() const;

  VisuXMLFile& _File;
  const VisuXMLComparisonSettings& _Settings;
  VisuXMLDifferenceListener* _pListener;
  unsigned int& _uiErrorCount;
  // The innermost pair being compared; null outside every pair.
  Frame* _pTop;
};

#endif
