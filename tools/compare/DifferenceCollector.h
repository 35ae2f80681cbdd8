#ifndef DifferenceCollector_h
#define DifferenceCollector_h

#include "Difference.h"
#include "compare/VisuXMLDifference.h"

// Told where each difference the comparison finds stands in the two trees,
// just before the difference goes to the sink: the elements and the place
// are valid only during the call.
class DifferenceLocator {
 public:
  virtual void Locate(const VisuXMLDifference& difference,
                      const VisuXMLDifferencePlace& place) = 0;

 protected:
  ~DifferenceLocator() = default;
};

// Listens to the library's comparison: hands each difference, placed in
// XPath form, to the sink, and keeps the tally and the largest gaps. Only
// the differences and the new largest gaps are placed, so a comparison
// costs no more for being listened to when little differs.
class DifferenceCollector final : public VisuXMLDifferenceListener {
 public:
  DifferenceCollector(DifferenceSink& sink, DifferenceTally& tally,
                      DifferenceLocator* locator = nullptr)
      : _Sink(sink), _Tally(tally), _pLocator(locator) {}

  void OnDifference(const VisuXMLDifference& difference,
                    const VisuXMLDifferencePlace& place) override;
  void OnNumbersCompared(const MOKUnicodeString& name, double reference,
                         double output,
                         const VisuXMLDifferencePlace& place) override;

  // Counts and hands on a difference the comparison did not find itself.
  void Add(const FoundDifference& difference);

 private:
  DifferenceSink& _Sink;
  DifferenceTally& _Tally;
  DifferenceLocator* _pLocator;
};

#endif
