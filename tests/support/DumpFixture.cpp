#include "DumpFixture.h"

#include <cstdlib>

#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

namespace {

MOKUnicodeString SizeText(float size) {
  MOKUnicodeString text;
  VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(size, text, 0);
  return text;
}

}  // namespace

SceneContent SceneContent::Objects(std::size_t count) {
  SceneContent content;
  content.sizes.clear();
  for (std::size_t i = 0; i < count; ++i) content.sizes.push_back(i * 0.25f);
  return content;
}

void SceneControler::Call(VisuXMLError result) {
  _OutOfMemory |= result == 3;
  if (result > _Highest) _Highest = result;
}

VisuXMLError SceneControler::DumpXML() {
  using M = VisuXMLMarkup;
  _OutOfMemory = false;
  _Highest = 0;
  Call(VisuXMLAttribute::CreateXMLAttribute("Color", VisuXMLTextAttribute));
  Call(VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute));
  Call(M::CreateXMLMarkup("Scene", VisuXMLRootMarkup));
  Call(M::CreateXMLMarkup("Object", VisuXMLStandardMarkup));
  Call(M::AttachAttribute("Scene", "Color", VisuXMLRequiredAttribute));
  Call(M::AttachAttribute("Object", "Size", VisuXMLRequiredAttribute));
  Call(M::AttachMarkup("Scene", "Object",
                       static_cast<VisuXMLMarkupToMarkupLink>(2)));
  if (_Content.sizes.empty()) return 0;
  Call(M::OpenMarkup("Scene"));
  if (!_Content.omitColor)
    Call(M::SetAttributeValue("Color", _Content.color.c_str()));
  for (float size : _Content.sizes) {
    Call(M::OpenMarkup("Object"));
    Call(M::SetAttributeValue("Size", SizeText(size)));
    Call(M::CloseMarkup("Object"));
  }
  if (_Content.closeRoot) Call(M::CloseMarkup("Scene"));
  return _OutOfMemory ? 3 : 0;
}

MOKLightXmlElement ExpectedScene(const SceneContent& content) {
  MOKLightXmlElement scene(MOKUnicodeString("Scene"));
  scene.SetAttributeValue("Color", content.color.c_str());
  for (float size : content.sizes) {
    MOKLightXmlElement object(MOKUnicodeString("Object"));
    object.SetAttributeValue("Size", SizeText(size));
    scene.AddChild(object);
  }
  return scene;
}

DumpFixture::DumpFixture() {
  for (const char* name :
       {"MOK_RECORD_MODE", "MOK_RECORD_FILE", "VISU_XML_DUMP_VERSION",
        "UpdateVisuXMLDump", "TRQ_LOG_NAME", "KVB_TRQ_REF", "KVB_TRQ_OUT",
        "MOKTemp"})
    Set(name, nullptr);
  Set("MOK_DIAGNOSTIC_FILE", _Tmp.File("diagnostics.log"));
}

void DumpFixture::Set(const char* name, const char* value) {
  value ? ::setenv(name, value, 1) : ::unsetenv(name);
}

void DumpFixture::Configure(const char* recordMode) {
  Set("MOK_RECORD_MODE", recordMode);
  Set("TRQ_LOG_NAME", "T1");
  Set("KVB_TRQ_REF", _Ref.Path());
  Set("KVB_TRQ_OUT", _Out.Path());
  Set("MOKTemp", _Tmp.Path());
}

std::string DumpFixture::Symbolic(std::string text) const {
  for (const auto& [path, name] :
       {std::pair(_Ref.Path(), "REF"), std::pair(_Out.Path(), "OUT"),
        std::pair(_Tmp.Path(), "TMP")})
    for (auto at = text.find(path); at != std::string::npos;
         at = text.find(path))
      text.replace(at, path.size(), name);
  return text;
}

std::string DumpFixture::Diagnostics() const {
  return Symbolic(ReadWholeFile(_Tmp.File("diagnostics.log")));
}

std::string DumpFixture::InChild(const std::function<std::string()>& body,
                                 int exitCode) {
  const std::string result = _Tmp.File("child-result");
  EXPECT_EXIT((WriteWholeFile(result, body()), std::exit(0)),
              ::testing::ExitedWithCode(exitCode), "");
  return ReadWholeFile(result);
}
