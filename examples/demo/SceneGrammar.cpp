#include "SceneGrammar.h"

#include <initializer_list>

#include "VisuXMLAttribute.h"

namespace {

// Keeps the first failure of a sequence of declarations.
void Keep(VisuXMLError& result, VisuXMLError step) {
  if (result == 0) result = step;
}

VisuXMLError DeclareAttributes() {
  VisuXMLError result = 0;
  const char* const texts[] = {"Name", "Units", "Kind", "Visible"};
  for (const char* name : texts)
    Keep(result,
         VisuXMLAttribute::CreateXMLAttribute(name, VisuXMLTextAttribute));
  // Real values are compared within the tolerance of the dump version.
  const char* const reals[] = {"FieldOfView", "Intensity", "X", "Y", "Z",
                               "W",           "R",         "G", "B", "A"};
  for (const char* name : reals)
    Keep(result,
         VisuXMLAttribute::CreateXMLAttribute(name, VisuXMLRealAttribute));
  return result;
}

VisuXMLError DeclareMarkups() {
  VisuXMLError result =
      VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup);
  const char* const markups[] = {"Camera", "Position",  "Light", "Colour",
                                 "Object", "Transform", "Row"};
  for (const char* name : markups)
    Keep(result, VisuXMLMarkup::CreateXMLMarkup(name, VisuXMLStandardMarkup));
  return result;
}

// Attaches each listed attribute to the markup with the same link.
VisuXMLError AttachAll(const char* markup,
                       std::initializer_list<const char*> attributes,
                       VisuXMLAttributeToMarkupLink link) {
  VisuXMLError result = 0;
  for (const char* attribute : attributes)
    Keep(result, VisuXMLMarkup::AttachAttribute(markup, attribute, link));
  return result;
}

VisuXMLError AttachAttributes() {
  VisuXMLError result = AttachAll("Scene", {"Name"}, VisuXMLRequiredAttribute);
  Keep(result, AttachAll("Scene", {"Units"}, VisuXMLOptionalAttribute));
  Keep(result,
       AttachAll("Camera", {"Name", "FieldOfView"}, VisuXMLRequiredAttribute));
  Keep(result,
       AttachAll("Position", {"X", "Y", "Z"}, VisuXMLRequiredAttribute));
  Keep(result,
       AttachAll("Light", {"Name", "Intensity"}, VisuXMLRequiredAttribute));
  Keep(result, AttachAll("Light", {"Kind"}, VisuXMLOptionalAttribute));
  Keep(result, AttachAll("Colour", {"R", "G", "B"}, VisuXMLRequiredAttribute));
  Keep(result, AttachAll("Colour", {"A"}, VisuXMLOptionalAttribute));
  Keep(result,
       AttachAll("Object", {"Name", "Visible"}, VisuXMLRequiredAttribute));
  Keep(result,
       AttachAll("Row", {"X", "Y", "Z", "W"}, VisuXMLRequiredAttribute));
  return result;
}

VisuXMLError AttachSubMarkups() {
  // A Scene holds one Camera, then at least one Light, then any number
  // of Objects, in this order.
  VisuXMLError result =
      VisuXMLMarkup::AttachMarkup("Scene", "Camera", VisuXMLOnlyOnce);
  Keep(result,
       VisuXMLMarkup::AttachMarkup("Scene", "Light", VisuXMLAtLeastOnce));
  Keep(result, VisuXMLMarkup::AttachMarkup("Scene", "Object", kAnyNumber));
  Keep(result,
       VisuXMLMarkup::AttachMarkup("Camera", "Position", VisuXMLOnlyOnce));
  Keep(result, VisuXMLMarkup::AttachMarkup("Light", "Colour", VisuXMLOnlyOnce));
  Keep(result,
       VisuXMLMarkup::AttachMarkup("Object", "Colour", VisuXMLOnlyOnce));
  Keep(result,
       VisuXMLMarkup::AttachMarkup("Object", "Transform", VisuXMLOnlyOnce));
  Keep(result,
       VisuXMLMarkup::AttachMarkup("Transform", "Row", VisuXMLAtLeastOnce));
  // An Object's Colour and Transform may come in either order; each is
  // still tested under its own link.
  const MOKUnicodeString members[] = {"Colour", "Transform"};
  Keep(result, VisuXMLMarkup::RegroupMarkups("Object", members, 2, kAnyNumber));
  return result;
}

}  // namespace

VisuXMLError DeclareSceneGrammar() {
  VisuXMLError result = DeclareAttributes();
  Keep(result, DeclareMarkups());
  Keep(result, AttachAttributes());
  Keep(result, AttachSubMarkups());
  return result;
}
