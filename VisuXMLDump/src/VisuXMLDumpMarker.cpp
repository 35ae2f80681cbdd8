#include "VisuXMLError.h"

extern "C" int VARNOK_ZBX2_INTERNAL_VisuXMLDump(void) { return 1; }
