#ifndef TrackingXMLFile_h
#define TrackingXMLFile_h

#include <string>
#include <vector>

#include "Difference.h"
#include "VisuXMLFile.h"

// A reference file that, while it is compared, follows where the walk is
// and records every difference with its path, keeping the library's own
// messages, and the largest gaps between paired real values.
class TrackingXMLFile : public VisuXMLFile {
 public:
  explicit TrackingXMLFile(const MOKUnicodeString& path);

  // The differences in the order the comparison found them.
  const std::vector<Difference>& GetDifferences() const { return _Differences; }
  // Largest absolute gap between two paired real values.
  const RealGap& GetLargestAbsoluteGap() const { return _LargestAbsolute; }
  // Largest gap relative to a non-zero reference value.
  const RealGap& GetLargestRelativeGap() const { return _LargestRelative; }

 protected:
  void StartMarkupComparison(MOKLightXmlElement* reference,
                             MOKLightXmlElement* output) override;
  void EndMarkupComparison(MOKLightXmlElement* reference,
                           MOKLightXmlElement* output) override;
  void LogErrorOnMarkup(_VisuXMLMarkupError error,
                        MOKLightXmlElement* reference,
                        MOKLightXmlElement* output,
                        MOKLightXmlElement& errorElement) override;
  void LogErrorOnAttribute(_VisuXMLAttributeError error,
                           MOKLightXmlElement* reference,
                           MOKLightXmlElement* output,
                           const MOKUnicodeString* attributeName,
                           MOKLightXmlElement& errorElement) override;

 private:
  // One pair of elements being compared, and where it stands.
  struct Frame {
    MOKLightXmlElement* reference;
    MOKLightXmlElement* output;
    std::string path;
  };

  std::string CurrentPath() const;
  std::string PathOfUnpairedChild(MOKLightXmlElement* reference,
                                  MOKLightXmlElement* output) const;
  void MeasureRealGaps(const MOKLightXmlElement& reference,
                       const MOKLightXmlElement& output,
                       const std::string& path);
  void Record(DifferenceKind kind, const std::string& path,
              const MOKLightXmlElement& errorElement);

  std::vector<Frame> _Frames;
  std::vector<Difference> _Differences;
  RealGap _LargestAbsolute;
  RealGap _LargestRelative;
};

#endif
