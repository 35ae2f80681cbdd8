// A client outside the source tree: headers by bare name, targets from the
// installed package.
#include <cstdio>

#include "MOKLightXmlElement.h"
#include "VisuXMLAttribute.h"

int main() {
  if (VARNOK_ZBX2_INTERNAL_VisuXMLDump() != 1) return 1;
  if (VisuXMLAttribute::CreateXMLAttribute("Name", VisuXMLTextAttribute) != 0)
    return 2;
  if (VisuXMLAttribute::GetXMLAttributeType("Name") != VisuXMLTextAttribute)
    return 3;
  VisuXMLAttribute::DestroyAttributes();
  MOKLightXmlElement element("Scene");
  element.SetAttributeValue("Name", "demo");
  if (element.GetAttributeValue("Name").Compare("demo") != 2) return 4;
  std::puts("consumer ok");
  return 0;
}
