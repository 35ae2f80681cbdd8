#ifndef VisuXMLExport_h
#define VisuXMLExport_h

// The library is built with hidden visibility: only the classes and
// functions marked with VISUXML_EXPORT are part of its binary interface.
#if defined(_WIN32)
#if defined(VISUXMLDUMP_BUILDING)
#define VISUXML_EXPORT __declspec(dllexport)
#else
#define VISUXML_EXPORT __declspec(dllimport)
#endif
#else
#define VISUXML_EXPORT __attribute__((visibility("default")))
#endif

#endif
