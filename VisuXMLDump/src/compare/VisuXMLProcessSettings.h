#ifndef VisuXMLProcessSettings_h
#define VisuXMLProcessSettings_h

#include "compare/VisuXMLComparisonSettings.h"

// The settings of a replay of this process: the tolerance of the process's
// dump version, and reals as the declared grammar says.
VisuXMLComparisonSettings VisuXMLProcessSettings();

#endif
