#include "RobustnessSupport.h"

#include <sys/resource.h>

#include <chrono>
#include <string>

#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

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

SceneControler::SceneControler(std::size_t objects, unsigned char replay)
    : _Objects(objects) {
  _ForceReplayMode = replay;
}

void SceneControler::Call(VisuXMLError result) {
  if (result == 3) _OutOfMemoryReported = true;
}

void SceneControler::Declare() {
  Call(VisuXMLAttribute::CreateXMLAttribute("Name", VisuXMLTextAttribute));
  Call(VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute));
  Call(VisuXMLAttribute::CreateXMLAttribute("Visible", VisuXMLTextAttribute));
  Call(VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup));
  Call(VisuXMLMarkup::CreateXMLMarkup("Camera", VisuXMLStandardMarkup));
  Call(VisuXMLMarkup::CreateXMLMarkup("Light", VisuXMLStandardMarkup));
  Call(VisuXMLMarkup::CreateXMLMarkup("Object", VisuXMLStandardMarkup));
  Call(VisuXMLMarkup::AttachAttribute("Scene", "Name", VisuXMLRequiredAttribute));
  Call(VisuXMLMarkup::AttachAttribute("Object", "Name", VisuXMLRequiredAttribute));
  Call(VisuXMLMarkup::AttachAttribute("Object", "Size", VisuXMLOptionalAttribute));
  Call(VisuXMLMarkup::AttachAttribute("Object", "Visible", VisuXMLOptionalAttribute));
  Call(VisuXMLMarkup::AttachMarkup("Scene", "Camera", VisuXMLOnlyOnce));
  Call(VisuXMLMarkup::AttachMarkup("Scene", "Light",
                                   static_cast<VisuXMLMarkupToMarkupLink>(3)));
  Call(VisuXMLMarkup::AttachMarkup("Scene", "Object", VisuXMLAtLeastOnce));
  const MOKUnicodeString group[] = {"Light", "Camera"};
  Call(VisuXMLMarkup::RegroupMarkups("Scene", group, 2, VisuXMLOnlyOnce));
}

void SceneControler::Stream() {
  Call(VisuXMLMarkup::OpenMarkup("Scene"));
  Call(VisuXMLMarkup::SetAttributeValue("Name", "demo"));
  Call(VisuXMLMarkup::OpenMarkup("Light"));
  Call(VisuXMLMarkup::SetText("sun"));
  Call(VisuXMLMarkup::CloseMarkup("Light"));
  Call(VisuXMLMarkup::OpenMarkup("Camera"));
  Call(VisuXMLMarkup::CloseMarkup("Camera"));
  for (std::size_t i = 0; i < _Objects; ++i) {
    Call(VisuXMLMarkup::OpenMarkup("Object"));
    Call(VisuXMLMarkup::SetAttributeValue("Name", ObjectName(i)));
    Call(VisuXMLMarkup::SetAttributeValue("Size", ObjectSize(i)));
    Call(VisuXMLMarkup::CloseMarkup("Object"));
  }
  Call(VisuXMLMarkup::CloseMarkup("Scene"));
}

VisuXMLError SceneControler::DumpXML() {
  _OutOfMemoryReported = false;
  Declare();
  Stream();
  return _OutOfMemoryReported ? 3 : 0;
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

long PeakResidentKilobytes() {
  struct rusage usage;
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double NowSeconds() {
  return std::chrono::duration<double>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
