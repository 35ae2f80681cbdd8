#ifndef DumpFixture_h
#define DumpFixture_h

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "MOKLightXmlElement.h"
#include "TemporaryDirectory.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpControler.h"
#include "VisuXMLMarkup.h"

// Reads and sets the controller's class-wide state from tests.
class VisuXMLDumpControlerTestAccess {
 public:
  static unsigned int& Counter() { return VisuXMLDumpControler::_DumpCounter; }
};

// What the stand-in client streams: a "Scene" root with a required text
// "Color", then one "Object" with a required real "Size" per size.
struct SceneContent {
  std::string color = "red";
  std::vector<float> sizes = {1.5f};
  bool omitColor = false;  // the stream then writes an error element
  bool closeRoot = true;   // left open, no tree is finished

  // The content with that many objects of sizes 0, 0.25, 0.5, ...
  static SceneContent Objects(std::size_t count);
};

// The stand-in client. Its dump declares the grammar (again: a repeated
// declaration is refused, harmlessly) and streams the content; without
// sizes it streams nothing. The dump returns 3 when a call ran out of
// memory, 0 otherwise.
class SceneControler : public VisuXMLDumpControler {
 public:
  explicit SceneControler(SceneContent content = {})
      : _Content(std::move(content)) {}
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }
  VisuXMLError DumpXML() override;
  void ForceReplay() { _ForceReplayMode = 1; }
  // The file the dump was written to, in the host's form ('\' joins).
  std::string FileName() const { return std::string(_XMLFileName); }
  // Every call of the last dump answered a documented code (0 to 3).
  bool AnsweredCodes() const { return _Highest <= 3; }

  SceneContent _Content;

 private:
  void Call(VisuXMLError result);
  VisuXMLError _Highest = 0;
  bool _OutOfMemory = false;
};

// The document the content streams, built by hand.
MOKLightXmlElement ExpectedScene(const SceneContent& content = {});

const std::string kXmlHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
// The default content's document as the writer lays it out.
const std::string kSceneText =
    kXmlHeader + "<Scene Color=\"red\">\n  <Object Size=\"1.50\"/>\n</Scene>";

// Clears every variable the dump control reads, so that a test sees only
// what it sets (whatever an earlier test of the process set), and offers
// reference, output and temporary directories; the library's diagnostics
// go to a file.
class DumpFixture : public ::testing::Test {
 protected:
  DumpFixture();
  static void Set(const char* name, const char* value);
  static void Set(const char* name, const std::string& value) {
    Set(name, value.c_str());
  }
  // Test case T1 with every directory set; a null mode: an interactive run.
  void Configure(const char* recordMode);
  // The text with the directories written REF, OUT and TMP.
  std::string Symbolic(std::string text) const;
  // What the library told the user, directories written symbolically.
  std::string Diagnostics() const;
  // Runs body in a forked child that ends through exit(0), so that an
  // armed exit hook decides the exit code; gives the text body returned.
  std::string InChild(const std::function<std::string()>& body, int exitCode);

  TemporaryDirectory _Ref, _Out, _Tmp;
};

#endif
