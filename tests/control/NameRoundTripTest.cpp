#include <string>
#include <vector>

#include "ControlTestSupport.h"

namespace {

// One name per class of character the declarations accept, each used for a
// markup and for its attribute.
const std::vector<std::string> kNames = {
    "_lead:colon",                    // ASCII start characters
    "x.y-z_9",                        // ASCII characters that only follow
    "\xC3\x89t\xC3\xA9",              // Latin-1 letters: Été
    "\xCE\xA0\xCE\xBB\xCE\xAC\xCF\x84\xCE\xBF\xCF\x82",  // Greek: Πλάτος
    "\xEB\x86\x92\xEC\x9D\xB4",       // three-byte letters, Hangul: 높이
    "\xE9\xAB\x98\xE3\x81\x95",       // ideograph then kana: 高さ
    "\xE3\x80\x87",                   // ideographic number zero 〇
    "x\xCC\x81",                      // combining acute accent after x
    "a\xC2\xB7" "b\xE3\x80\x85",      // extenders: middle dot, iteration mark
    "x\xD9\xA3\xE0\xA5\xA7",          // Arabic-Indic and Devanagari digits
};

// Declares every name as a markup holding an attribute of the same name,
// and streams each once inside the root.
class NamesControler : public VisuXMLDumpControler {
 public:
  MOKUnicodeString GetXMLDumpName() override { return "Names"; }
  VisuXMLError DumpXML() override {
    Keep(VisuXMLMarkup::CreateXMLMarkup("R\xC3\xA4ume", VisuXMLRootMarkup));
    for (const std::string& name : kNames) {
      Keep(VisuXMLAttribute::CreateXMLAttribute(name.c_str(), VisuXMLTextAttribute));
      Keep(VisuXMLMarkup::CreateXMLMarkup(name.c_str(), VisuXMLStandardMarkup));
      Keep(VisuXMLMarkup::AttachAttribute(name.c_str(), name.c_str(), VisuXMLRequiredAttribute));
      Keep(VisuXMLMarkup::AttachMarkup("R\xC3\xA4ume", name.c_str(), VisuXMLOnlyOnce));
    }
    Keep(VisuXMLMarkup::OpenMarkup("R\xC3\xA4ume"));
    for (const std::string& name : kNames) {
      Keep(VisuXMLMarkup::OpenMarkup(name.c_str()));
      Keep(VisuXMLMarkup::SetAttributeValue(name.c_str(), name.c_str()));
      Keep(VisuXMLMarkup::CloseMarkup(name.c_str()));
    }
    Keep(VisuXMLMarkup::CloseMarkup("R\xC3\xA4ume"));
    return _Result;
  }

 private:
  void Keep(VisuXMLError result) {
    if (_Result == 0) _Result = result;
  }
  VisuXMLError _Result = 0;
};

class NameRoundTripTest : public ControlFixture {
 protected:
  // One dump of the names in a child process run in that record mode.
  std::string Dump(const char* mode, int exitCode) {
    Configure(mode);
    return InChild(
        []() {
          NamesControler controler;
          const VisuXMLError declared = controler.InitializeControler();
          return std::to_string(declared) + " " + std::to_string(controler.FinishXMLDump());
        },
        exitCode);
  }
};

// Tests that a dump using every class of accepted name is captured, and
// that its replay agrees with that capture: no name was renamed on the way.
TEST_F(NameRoundTripTest, CaptureThenReplayAgrees) {
  ASSERT_EQ(Dump("capture", 0), "0 0");
  const std::string reference = ReadWholeFile(_Ref.File("T1_Names_Ref_1.xml"));
  for (const std::string& name : kNames)
    EXPECT_NE(reference.find("<" + name + " " + name + "=\"" + name + "\"/>"), std::string::npos)
        << name;
  EXPECT_EQ(Dump("replay", 0), "0 0");
  EXPECT_FALSE(FileExists(_Out.File("T1_Names_Error_1.xml")));
}

}  // namespace
