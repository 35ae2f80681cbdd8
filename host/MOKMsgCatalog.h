#ifndef MOKMsgCatalog_h
#define MOKMsgCatalog_h

#include "MOKHostExport.h"
#include "MOKString.h"
#include "MOKUnicodeString.h"

// The host's message catalogs: user-visible texts kept outside the code.
// A catalog named N is the file "N.catalog", looked for in each directory
// of "MOK_CATALOG_PATH" (colon-separated), then in the package's resource
// directory, found relative to the directory of the MOKHost library (the
// installed data directory, or the build tree's copy of resources/); the
// first file found is the catalog. Its lines are "key=text"; blank lines
// and lines starting with '#' are ignored.
class MOKHOST_EXPORT MOKMsgCatalog {
 public:
  // The catalog's text for the key, with "{1}" to "{count}" replaced by
  // the parameters; the default text when the catalog cannot be read or
  // lacks the key. The call is recorded in the open MOKCallJournal.
  static MOKUnicodeString BuildMessage(const MOKString& catalog,
                                       const MOKString& key,
                                       const MOKUnicodeString* parameters,
                                       int count,
                                       const MOKUnicodeString& defaultText);
};

#endif
