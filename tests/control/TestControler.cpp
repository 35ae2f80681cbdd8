#include "TestControler.h"

#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

namespace {

// Any link value other than the named ones: any number of times.
const VisuXMLMarkupToMarkupLink kAnyNumber =
    static_cast<VisuXMLMarkupToMarkupLink>(2);

std::string FormattedSize(float size) {
  MOKUnicodeString text;
  VisuXMLDumpControler::BuildUnicodeStringFromFloatValue(size, text, 0);
  return std::string(text);
}

}  // namespace

TestControler::TestControler(const char* dumpName) : _DumpName(dumpName) {}

MOKUnicodeString TestControler::GetXMLDumpName() { return _DumpName; }

VisuXMLError TestControler::DumpXML() {
  if (!_GrammarDeclared) DeclareGrammar();
  if (_Content._Stream) StreamScene();
  return 0;
}

void TestControler::DeclareGrammar() {
  VisuXMLAttribute::CreateXMLAttribute("Color", VisuXMLTextAttribute);
  VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute);
  VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup);
  VisuXMLMarkup::CreateXMLMarkup("Object", VisuXMLStandardMarkup);
  VisuXMLMarkup::AttachAttribute("Scene", "Color", VisuXMLRequiredAttribute);
  VisuXMLMarkup::AttachAttribute("Object", "Size", VisuXMLRequiredAttribute);
  VisuXMLMarkup::AttachMarkup("Scene", "Object", kAnyNumber);
  _GrammarDeclared = true;
}

void TestControler::StreamScene() {
  VisuXMLMarkup::OpenMarkup("Scene");
  if (!_Content._OmitColor)
    VisuXMLMarkup::SetAttributeValue("Color", _Content._Color.c_str());
  for (float size : _Content._Sizes) {
    VisuXMLMarkup::OpenMarkup("Object");
    VisuXMLMarkup::SetAttributeValue("Size", FormattedSize(size).c_str());
    VisuXMLMarkup::CloseMarkup("Object");
  }
  if (_Content._CloseRoot) VisuXMLMarkup::CloseMarkup("Scene");
}

std::string TestControler::DocumentText(const SceneContent& content) {
  std::string text = "<Scene Color=\"" + content._Color + "\">";
  for (float size : content._Sizes)
    text += "<Object Size=\"" + FormattedSize(size) + "\"/>";
  return text + "</Scene>\n";
}
