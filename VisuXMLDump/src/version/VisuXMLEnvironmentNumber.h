#ifndef VisuXMLEnvironmentNumber_h
#define VisuXMLEnvironmentNumber_h

// Reads a number the way atoi does (leading blanks, an optional sign,
// digits up to the first non-digit, 0 without digits), but clamps values
// beyond the int range instead of leaving them undefined. A null text
// gives 0.
int VisuXMLConvertAsAtoi(const char* text);

#endif
