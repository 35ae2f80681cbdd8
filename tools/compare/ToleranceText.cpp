#include "ToleranceText.h"

#include <cstdio>

std::string ShortNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string DescribeTolerance(const VisuXMLTolerance& tolerance) {
  if (tolerance.IsDumpVersionRule())
    return "dump version " + std::to_string(tolerance.GetDumpVersion()) +
           " tolerance";
  std::string bounds;
  if (tolerance.GetAbsoluteBound() >= 0.0)
    bounds = "|R-O| <= " + ShortNumber(tolerance.GetAbsoluteBound());
  if (tolerance.GetRelativeBound() >= 0.0)
    bounds += (bounds.empty() ? "" : " or ") + std::string("|R-O| <= ") +
              ShortNumber(tolerance.GetRelativeBound()) + "*|R|";
  return "tolerance " + bounds;
}

std::string ToleranceRuleInWords(const VisuXMLTolerance& tolerance) {
  const std::string absolute = "|R-O| < 0.001";
  const std::string relative = "|R-O| < 0.01*|R| (|O| < 0.01 when R is 0)";
  if (!tolerance.IsDumpVersionRule()) return std::string();
  switch (tolerance.GetDumpVersion()) {
    case 1:
      return "reals agree when " + absolute;
    case 2:
      return "reals agree when " + relative;
    default:
      return "reals agree when " + absolute +
             " if both are smaller than 0.01 in magnitude, otherwise when " +
             relative;
  }
}
