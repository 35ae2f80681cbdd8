#include <cmath>

#include "VisuXMLDumpControler.h"
#include "VisuXMLDumpVersion.h"
#include "VisuXMLNoThrow.h"

namespace {

// Half away from zero at the given scale. Multiplying by the inverse
// constant (rather than dividing by the scale) decides the last bit of the
// value written, which stored references depend on.
double RoundHalfAwayFromZero(double value, double scale, double inverse) {
  const double scaled = value >= 0 ? std::floor(value * scale + 0.5)
                                   : std::ceil(value * scale - 0.5);
  return scaled * inverse;
}

}  // namespace

// When memory runs out the text is left as it was.
void VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(
    float value, MOKUnicodeString& text, unsigned char fourDecimals) {
  const int version = VisuXMLDumpVersion::GetVersionNumber();
  double number = value;
  if (version != 1) {
    number = fourDecimals != 0 ? RoundHalfAwayFromZero(number, 10000.0, 0.0001)
                               : RoundHalfAwayFromZero(number, 100.0, 0.01);
  }
  VisuXMLGuard(false, [&]() {
    text.BuildFromNum(number, fourDecimals != 0 ? "%.4f" : "%.2f");
    return true;
  });
}
