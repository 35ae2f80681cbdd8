#include "RobustnessSupport.h"

namespace {

MOKUnicodeString ObjectName(std::size_t index) {
  return MOKUnicodeString(("Object" + std::to_string(index)).c_str());
}

MOKUnicodeString ObjectSize(std::size_t index) {
  MOKUnicodeString text;
  VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(
      static_cast<float>(index) * 0.25f, text, 0);
  return text;
}

}  // namespace

VisuXMLError SceneControler::DumpXML() {
  using M = VisuXMLMarkup;
  _OutOfMemory = false;
  Call(VisuXMLAttribute::CreateXMLAttribute("Name", VisuXMLTextAttribute));
  Call(VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute));
  Call(VisuXMLAttribute::CreateXMLAttribute("Visible", VisuXMLTextAttribute));
  Call(M::CreateXMLMarkup("Scene", VisuXMLRootMarkup));
  for (const char* name : {"Camera", "Light", "Object"})
    Call(M::CreateXMLMarkup(name, VisuXMLStandardMarkup));
  Call(M::AttachAttribute("Scene", "Name", VisuXMLRequiredAttribute));
  Call(M::AttachAttribute("Object", "Name", VisuXMLRequiredAttribute));
  Call(M::AttachAttribute("Object", "Size", VisuXMLOptionalAttribute));
  Call(M::AttachAttribute("Object", "Visible", VisuXMLOptionalAttribute));
  Call(M::AttachMarkup("Scene", "Camera", VisuXMLOnlyOnce));
  Call(M::AttachMarkup("Scene", "Light", static_cast<VisuXMLMarkupToMarkupLink>(3)));
  Call(M::AttachMarkup("Scene", "Object", VisuXMLAtLeastOnce));
  const MOKUnicodeString group[] = {"Light", "Camera"};
  Call(M::RegroupMarkups("Scene", group, 2, VisuXMLOnlyOnce));
  Call(M::OpenMarkup("Scene"));
  Call(M::SetAttributeValue("Name", "demo"));
  Call(M::OpenMarkup("Light"));
  Call(M::SetText("sun"));
  Call(M::CloseMarkup("Light"));
  Call(M::OpenMarkup("Camera"));
  Call(M::CloseMarkup("Camera"));
  for (std::size_t i = 0; i < _Objects; ++i) {
    Call(M::OpenMarkup("Object"));
    Call(M::SetAttributeValue("Name", ObjectName(i)));
    Call(M::SetAttributeValue("Size", ObjectSize(i)));
    Call(M::CloseMarkup("Object"));
  }
  Call(M::CloseMarkup("Scene"));
  return _OutOfMemory ? 3 : 0;
}

MOKLightXmlElement ExpectedScene(std::size_t objects) {
  MOKLightXmlElement scene(MOKUnicodeString("Scene"));
  scene.SetAttributeValue("Name", "demo");
  MOKLightXmlElement light(MOKUnicodeString("Light"));
  light.SetValue("sun");
  scene.AddChild(light);
  scene.AddChild(MOKLightXmlElement(MOKUnicodeString("Camera")));
  for (std::size_t i = 0; i < objects; ++i) {
    MOKLightXmlElement object(MOKUnicodeString("Object"));
    object.SetAttributeValue("Name", ObjectName(i));
    object.SetAttributeValue("Size", ObjectSize(i));
    scene.AddChild(object);
  }
  return scene;
}
