#ifndef VisuXMLFile_h
#define VisuXMLFile_h

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"
#include "VisuXMLExport.h"

// One XML document held as an element tree, read from a file or copied from
// an element. Compare walks this tree (the reference) together with another
// file's tree (the output) and builds a result tree in which every
// difference stands as a "VisuXMLError" element.
class VISUXML_EXPORT VisuXMLFile {
  friend class VisuXMLComparisonWalk;
  friend class VisuXMLTreeReading;

 public:
  enum _VisuXMLMarkupError : int {
    VisuXMLMarkupNameMismatch = 0,
    VisuXMLSubMarkupNotInOutput = 1,
    VisuXMLSubMarkupNotInReference = 2
  };

  enum _VisuXMLAttributeError : int {
    VisuXMLAttributeValueChanged = 0,
    VisuXMLAttributeNotInOutput = 1,
    VisuXMLAttributeNotInReference = 2
  };

  // Reads the file; IsFileValid tells whether it could be read.
  explicit VisuXMLFile(const MOKUnicodeString& path);
  // Holds a deep copy of the element; the caller keeps its own.
  explicit VisuXMLFile(const MOKLightXmlElement& element);
  virtual ~VisuXMLFile();
  VisuXMLFile(const VisuXMLFile&) = delete;
  VisuXMLFile& operator=(const VisuXMLFile&) = delete;

  // 1 when a tree is held.
  unsigned char IsFileValid();
  // 1 when the root or an element below it has exactly that name.
  unsigned char SearchForMarkup(const MOKUnicodeString& name);
  // Compares with the output file into result; 1 when nothing differed.
  unsigned char Compare(VisuXMLFile* output, MOKLightXmlElement& result);

 protected:
  virtual void StartMarkupComparison(MOKLightXmlElement* reference,
                                     MOKLightXmlElement* output);
  virtual void EndMarkupComparison(MOKLightXmlElement* reference,
                                   MOKLightXmlElement* output);
  virtual void LogErrorOnMarkup(_VisuXMLMarkupError error,
                                MOKLightXmlElement* reference,
                                MOKLightXmlElement* output,
                                MOKLightXmlElement& errorElement);
  virtual void LogErrorOnAttribute(_VisuXMLAttributeError error,
                                   MOKLightXmlElement* reference,
                                   MOKLightXmlElement* output,
                                   const MOKUnicodeString* attributeName,
                                   MOKLightXmlElement& errorElement);

 private:
  class VisuXMLChildrenChain;
  class VisuXMLAttributesChain;

  unsigned char RecursiveSearchForMarkup(MOKLightXmlElementItf* element,
                                         const MOKUnicodeString& name);
  void RecursiveComparison(MOKLightXmlElement* reference,
                           MOKLightXmlElement* output,
                           MOKLightXmlElement& result,
                           unsigned int& errorCount);
  void ChildrenComparison(MOKLightXmlElement* reference,
                          MOKLightXmlElement* output,
                          MOKLightXmlElement& result, unsigned int& errorCount);
  void AttributesComparison(MOKLightXmlElement* reference,
                            MOKLightXmlElement* output,
                            MOKLightXmlElement& result,
                            unsigned int& errorCount);
  VisuXMLChildrenChain* BuildChildrenChain(MOKLightXmlElement* element);
  VisuXMLAttributesChain* BuildAttributesChain(MOKLightXmlElement* element);

  MOKLightXmlElement* _pRootElement;
};

#endif
