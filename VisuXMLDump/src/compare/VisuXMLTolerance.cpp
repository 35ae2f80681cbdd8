#include <cmath>

#include "compare/VisuXMLComparisonSettings.h"

namespace {

const double kAbsoluteTolerance = 0.001;
const double kRelativeTolerance = 0.01;
const double kSmallNumberBound = 0.01;

// Both sides strict, each computed as written: stored references were
// judged by exactly this arithmetic.
bool AgreeAbsolutely(double reference, double output) {
  return output + kAbsoluteTolerance > reference &&
         reference > output - kAbsoluteTolerance;
}

// A zero reference is not divided by: the difference itself is then held
// against the tolerance.
bool AgreeRelatively(double reference, double output) {
  double difference = reference - output;
  if (reference != 0.0) difference = difference / reference;
  return difference < kRelativeTolerance && difference > -kRelativeTolerance;
}

bool IsSmallNumber(double value) {
  return value < kSmallNumberBound && value > -kSmallNumberBound;
}

}  // namespace

VisuXMLTolerance::VisuXMLTolerance(bool usesDumpVersion, int version,
                                   double absolute, double relative)
    : _UsesDumpVersion(usesDumpVersion),
      _DumpVersion(version),
      _Absolute(absolute),
      _Relative(relative) {}

VisuXMLTolerance VisuXMLTolerance::OfDumpVersion(int version) {
  return VisuXMLTolerance(true, version, -1.0, -1.0);
}

VisuXMLTolerance VisuXMLTolerance::WithBounds(double absolute,
                                              double relative) {
  return VisuXMLTolerance(false, 0, absolute, relative);
}

// Every test is strict or bounded, so a value that is not a number never
// agrees.
bool VisuXMLTolerance::Agree(double reference, double output) const {
  if (!_UsesDumpVersion) {
    const double gap = std::fabs(reference - output);
    return (_Absolute >= 0.0 && gap <= _Absolute) ||
           (_Relative >= 0.0 && gap <= _Relative * std::fabs(reference));
  }
  if (_DumpVersion == 1) return AgreeAbsolutely(reference, output);
  if (_DumpVersion == 2) return AgreeRelatively(reference, output);
  if (IsSmallNumber(reference) && IsSmallNumber(output))
    return AgreeAbsolutely(reference, output);
  return AgreeRelatively(reference, output);
}
