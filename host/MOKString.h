#ifndef MOKString_h
#define MOKString_h

#include <string>

#include "MOKHostExport.h"

// The host's narrow string, used for command, dialog and catalog names.
class MOKHOST_EXPORT MOKString {
 public:
  // A null pointer gives an empty text.
  MOKString(const char* text);
  ~MOKString();

  const char* GetText() const { return _Text.c_str(); }
  operator const char*() const { return _Text.c_str(); }

 private:
  std::string _Text;
};

#endif
