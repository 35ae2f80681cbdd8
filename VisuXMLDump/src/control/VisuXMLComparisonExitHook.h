#ifndef VisuXMLComparisonExitHook_h
#define VisuXMLComparisonExitHook_h

// Run by the host when the process ends after a failed replay comparison:
// ends the process with exit code 110. Returns 0 (never reached).
int ComparisonFailedExitHook(int argument);

#endif
