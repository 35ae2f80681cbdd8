#ifndef VisuXMLComparisonSettings_h
#define VisuXMLComparisonSettings_h

#include "MOKUnicodeString.h"

// Tells, by name, which attributes hold real numbers.
class VisuXMLRealAttributes {
 public:
  virtual bool IsReal(const MOKUnicodeString& name) const = 0;

 protected:
  ~VisuXMLRealAttributes() = default;
};

// When two real numbers count as equal: the rule of a dump version, or
// bounds of the caller's own.
class VisuXMLTolerance {
 public:
  // Version 1: absolute; version 2: relative; any other version: absolute
  // when both numbers are small, relative otherwise.
  static VisuXMLTolerance OfDumpVersion(int version);
  // Two numbers agree when |R - O| <= absolute, or |R - O| <= relative *
  // |R|; a negative bound is not given and never holds.
  static VisuXMLTolerance WithBounds(double absolute, double relative);

  bool Agree(double reference, double output) const;

  bool IsDumpVersionRule() const { return _UsesDumpVersion; }
  int GetDumpVersion() const { return _DumpVersion; }
  double GetAbsoluteBound() const { return _Absolute; }
  double GetRelativeBound() const { return _Relative; }

 private:
  VisuXMLTolerance(bool usesDumpVersion, int version, double absolute,
                   double relative);

  bool _UsesDumpVersion;
  int _DumpVersion;
  double _Absolute;
  double _Relative;
};

// Everything a comparison needs besides the two trees. Reals are compared
// by the tolerance; every other attribute as text.
struct VisuXMLComparisonSettings {
  VisuXMLTolerance _Tolerance;
  // Null: every attribute is text.
  const VisuXMLRealAttributes* _pRealAttributes;

  bool IsReal(const MOKUnicodeString& name) const {
    return _pRealAttributes != nullptr && _pRealAttributes->IsReal(name);
  }
};

#endif
