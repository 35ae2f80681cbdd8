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
