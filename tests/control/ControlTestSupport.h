#ifndef ControlTestSupport_h
#define ControlTestSupport_h

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLMarkup.h"

// Reads and sets the controller's class-wide state from tests.
class VisuXMLDumpControlerTestAccess {
 public:
  static unsigned int& Counter() { return VisuXMLDumpControler::_DumpCounter; }
  // "interactive replay capture update|input|output|test case".
  static std::string State() {
    using C = VisuXMLDumpControler;
    return std::to_string(C::_sInteractiveMode) + " " + std::to_string(C::_sTestCaseReplayMode) +
           " " + std::to_string(C::_sTestCaseCaptureMode) + " " +
           std::to_string(C::_sUpdateDumpMode) + "|" + std::string(C::_PathToInputDirectory) +
           "|" + std::string(C::_PathToOutputDirectory) + "|" + std::string(C::_TestCaseName);
  }
};

// What the test controller streams: a "Scene" root with a required text
// "Color" and one "Object" child with a required real "Size" per size;
// without sizes, nothing.
struct SceneContent {
  std::string _Color = "red";
  std::vector<float> _Sizes = {1.5f};
  bool _OmitColor = false;  // the stream then writes an error element
  bool _CloseRoot = true;   // left open, no tree is finished
};

const std::string kXmlHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
// The document of the default content as the writer lays it out.
const std::string kSceneText =
    kXmlHeader + "<Scene Color=\"red\">\n  <Object Size=\"1.50\"/>\n</Scene>";

// A client controller with a tiny grammar, declared at its first dump.
class TestControler : public VisuXMLDumpControler {
 public:
  explicit TestControler(SceneContent content = {}) : _Content(std::move(content)) {}
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }
  VisuXMLError DumpXML() override {
    if (!_Declared) {
      VisuXMLAttribute::CreateXMLAttribute("Color", VisuXMLTextAttribute);
      VisuXMLAttribute::CreateXMLAttribute("Size", VisuXMLRealAttribute);
      VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup);
      VisuXMLMarkup::CreateXMLMarkup("Object", VisuXMLStandardMarkup);
      VisuXMLMarkup::AttachAttribute("Scene", "Color", VisuXMLRequiredAttribute);
      VisuXMLMarkup::AttachAttribute("Object", "Size", VisuXMLRequiredAttribute);
      VisuXMLMarkup::AttachMarkup("Scene", "Object", static_cast<VisuXMLMarkupToMarkupLink>(2));
      _Declared = true;
    }
    if (_Content._Sizes.empty()) return 0;
    VisuXMLMarkup::OpenMarkup("Scene");
    if (!_Content._OmitColor) VisuXMLMarkup::SetAttributeValue("Color", _Content._Color.c_str());
    for (float size : _Content._Sizes) {
      MOKUnicodeString text;
      BuildUnicodeStringFromFloatValue(size, text, 0);
      VisuXMLMarkup::OpenMarkup("Object");
      VisuXMLMarkup::SetAttributeValue("Size", text);
      VisuXMLMarkup::CloseMarkup("Object");
    }
    if (_Content._CloseRoot) VisuXMLMarkup::CloseMarkup("Scene");
    return 0;
  }
  void ForceReplay() { _ForceReplayMode = 1; }
  std::string FileName() const { return std::string(_XMLFileName); }

  SceneContent _Content;
  bool _Declared = false;
};

// Clears every variable the dump control reads, so a test sees only what it
// sets (whatever an earlier test in the process set), and offers reference,
// output and temporary directories.
class ControlFixture : public ::testing::Test {
 protected:
  ControlFixture() {
    for (const char* name : {"MOK_RECORD_MODE", "MOK_RECORD_FILE", "VISU_XML_DUMP_VERSION",
                             "UpdateVisuXMLDump", "TRQ_LOG_NAME", "KVB_TRQ_REF", "KVB_TRQ_OUT",
                             "MOKTemp"})
      Set(name, nullptr);
    Set("MOK_DIAGNOSTIC_FILE", _Tmp.File("diagnostics.log"));
  }
  static void Set(const char* name, const char* value) {
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  static void Set(const char* name, const std::string& value) { Set(name, value.c_str()); }
  // Test case T1 with every directory set; a null mode is an interactive run.
  void Configure(const char* recordMode) {
    Set("MOK_RECORD_MODE", recordMode);
    Set("TRQ_LOG_NAME", "T1");
    Set("KVB_TRQ_REF", _Ref.Path());
    Set("KVB_TRQ_OUT", _Out.Path());
    Set("MOKTemp", _Tmp.Path());
  }
  // The text with the directories written REF, OUT and TMP.
  std::string Symbolic(std::string text) const {
    for (const auto& [path, name] : {std::pair(_Ref.Path(), "REF"), std::pair(_Out.Path(), "OUT"),
                                     std::pair(_Tmp.Path(), "TMP")})
      for (auto at = text.find(path); at != std::string::npos; at = text.find(path))
        text.replace(at, path.size(), name);
    return text;
  }
  // What the library told the user, directories written symbolically.
  std::string Diagnostics() const { return Symbolic(ReadWholeFile(_Tmp.File("diagnostics.log"))); }
  // Runs body in a forked child that ends through exit(0), so an armed exit
  // hook decides the exit code; gives back the text the body returned.
  std::string InChild(const std::function<std::string()>& body, int exitCode) {
    const std::string result = _Tmp.File("child-result");
    EXPECT_EXIT((WriteWholeFile(result, body()), std::exit(0)), ::testing::ExitedWithCode(exitCode),
                "");
    return ReadWholeFile(result);
  }

  TemporaryDirectory _Ref, _Out, _Tmp;
};

#endif
