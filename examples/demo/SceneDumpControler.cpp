#include "SceneDumpControler.h"

#include <algorithm>

#include "SceneGrammar.h"
#include "VisuXMLMarkup.h"

namespace {

const unsigned char kTwoDecimals = 0;
const unsigned char kFourDecimals = 1;

// Real values are always written through the library's formatter, whose
// rounding follows the dump version.
void SetReal(const char* attribute, double value, unsigned char fourDecimals) {
  MOKUnicodeString text;
  VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(
      static_cast<float>(value), text, fourDecimals);
  VisuXMLMarkup::SetAttributeValue(attribute, text);
}

void SetText(const char* attribute, const std::string& value) {
  VisuXMLMarkup::SetAttributeValue(attribute, value.c_str());
}

}  // namespace

SceneDumpControler::SceneDumpControler(const Scene& scene, bool breakGrammar)
    : _Scene(scene),
      _BreakGrammar(breakGrammar),
      _Finished(false),
      _Result(0) {}

MOKUnicodeString SceneDumpControler::GetXMLDumpName() { return "Scene"; }

VisuXMLError SceneDumpControler::DumpXML() {
  VisuXMLError result = DeclareSceneGrammar();
  if (result != 0) return result;
  VisuXMLMarkup::OpenMarkup("Scene");
  SetText("Name", _Scene.name);
  SetText("Units", "metre");
  StreamCamera(_Scene.camera);
  for (std::size_t i = 0; i < _Scene.lights.size(); ++i)
    StreamLight(_Scene.lights[i], !(_BreakGrammar && i == 0));
  for (std::size_t i = 0; i < _Scene.objects.size(); ++i)
    StreamObject(_Scene.objects[i], i % 2 == 1);
  VisuXMLMarkup::CloseMarkup("Scene");
  return 0;
}

void SceneDumpControler::StreamCamera(const Camera& camera) {
  VisuXMLMarkup::OpenMarkup("Camera");
  SetText("Name", camera.name);
  SetReal("FieldOfView", camera.fieldOfView, kTwoDecimals);
  VisuXMLMarkup::OpenMarkup("Position");
  SetReal("X", camera.position[0], kFourDecimals);
  SetReal("Y", camera.position[1], kFourDecimals);
  SetReal("Z", camera.position[2], kFourDecimals);
  VisuXMLMarkup::CloseMarkup("Position");
  VisuXMLMarkup::CloseMarkup("Camera");
}

void SceneDumpControler::StreamLight(const Light& light, bool withColour) {
  VisuXMLMarkup::OpenMarkup("Light");
  SetText("Name", light.name);
  if (!light.kind.empty()) SetText("Kind", light.kind);
  SetReal("Intensity", light.intensity, kTwoDecimals);
  if (withColour) StreamColour(light.colour);
  VisuXMLMarkup::CloseMarkup("Light");
}

// Colour and Transform form a group, so either may come first.
void SceneDumpControler::StreamObject(const SceneObject& object,
                                      bool transformFirst) {
  VisuXMLMarkup::OpenMarkup("Object");
  SetText("Name", object.name);
  SetText("Visible", object.visible ? "true" : "false");
  if (transformFirst) StreamTransform(object.transform);
  StreamColour(object.colour);
  if (!transformFirst) StreamTransform(object.transform);
  VisuXMLMarkup::CloseMarkup("Object");
}

void SceneDumpControler::StreamTransform(const Transform& transform) {
  const char* const columns[] = {"X", "Y", "Z", "W"};
  VisuXMLMarkup::OpenMarkup("Transform");
  for (int row = 0; row < 4; ++row) {
    VisuXMLMarkup::OpenMarkup("Row");
    for (int column = 0; column < 4; ++column)
      SetReal(columns[column], transform.entries[row * 4 + column],
              kFourDecimals);
    VisuXMLMarkup::CloseMarkup("Row");
  }
  VisuXMLMarkup::CloseMarkup("Transform");
}

void SceneDumpControler::StreamColour(const Colour& colour) {
  VisuXMLMarkup::OpenMarkup("Colour");
  SetReal("R", colour.r, kTwoDecimals);
  SetReal("G", colour.g, kTwoDecimals);
  SetReal("B", colour.b, kTwoDecimals);
  if (colour.a < 1.0) SetReal("A", colour.a, kTwoDecimals);
  VisuXMLMarkup::CloseMarkup("Colour");
}

VisuXMLError SceneDumpControler::FinishDump() {
  _Result = FinishXMLDump();
  _Finished = true;
  return _Result;
}

std::string SceneDumpControler::DescribeMode() const {
  if (_sInteractiveMode) return "interactive";
  if (_sUpdateDumpMode) return "update";
  return _sTestCaseCaptureMode ? "capture" : "replay";
}

std::string SceneDumpControler::DescribeOutcome() const {
  // The host reads a backslash in a path as '/'; show it that way.
  std::string file = _XMLFileName.GetText();
  std::replace(file.begin(), file.end(), '\\', '/');
  bool compared = _sTestCaseReplayMode && !_sUpdateDumpMode;
  if (!_Finished) return "not run (the grammar could not be declared)";
  switch (_Result) {
    case 0:
      return (compared ? "matches its reference " : "written to ") + file;
    case 2:
      return "could not be written to " + file;
    case 6:
      return "failed against its reference " + file +
             " (the library's diagnostic says why)";
    default:
      return "could not be compared (out of memory)";
  }
}
