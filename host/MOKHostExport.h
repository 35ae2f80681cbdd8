#ifndef MOKHostExport_h
#define MOKHostExport_h

// The stand-in host layer is a shared library whose whole interface is public.
#if defined(_WIN32)
#if defined(MOKHOST_BUILDING)
#define MOKHOST_EXPORT __declspec(dllexport)
#else
#define MOKHOST_EXPORT __declspec(dllimport)
#endif
#else
#define MOKHOST_EXPORT __attribute__((visibility("default")))
#endif

#endif
