// Printing the host's strings: a MOKUnicodeString converts to const char*.
#include <ostream>

#include "GuideSamples.h"
#include "VisuXMLMarkup.h"

// A refused declaration leaves its reason in the class's last-error string.
void PrintMarkupError(std::ostream& out) {
  const MOKUnicodeString& message = VisuXMLMarkup::GetLastErrorMessage();
  out << "declaration refused: " << static_cast<const char*>(message) << "\n";
}
