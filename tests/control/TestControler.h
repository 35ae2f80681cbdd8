#ifndef TestControler_h
#define TestControler_h

#include <string>
#include <vector>

#include "MOKUnicodeString.h"
#include "VisuXMLDumpControler.h"

// What the test controller streams: a "Scene" root with a text attribute
// "Color" and one "Object" child per size, each with a real "Size".
struct SceneContent {
  std::string _Color = "red";
  std::vector<float> _Sizes = {1.5f};
  // Leaves the required "Color" unset: the stream writes an error element.
  bool _OmitColor = false;
  // Leaves the root open, so no tree is finished.
  bool _CloseRoot = true;
  // Declares the grammar but streams nothing.
  bool _Stream = true;
};

// A client controller with a tiny grammar, declared at its first dump.
class TestControler : public VisuXMLDumpControler {
 public:
  explicit TestControler(const char* dumpName = "Scene");

  VisuXMLError DumpXML() override;
  MOKUnicodeString GetXMLDumpName() override;

  void ForceReplay() { _ForceReplayMode = 1; }
  const MOKUnicodeString& FileName() const { return _XMLFileName; }
  std::string FileNameText() const { return std::string(_XMLFileName); }
  SceneContent& Content() { return _Content; }

  static unsigned char IsInteractive() { return _sInteractiveMode; }
  static unsigned char IsReplay() { return _sTestCaseReplayMode; }
  static unsigned char IsCapture() { return _sTestCaseCaptureMode; }
  static unsigned char IsUpdate() { return _sUpdateDumpMode; }

  // The document the controller streams for that content, as XML text.
  static std::string DocumentText(const SceneContent& content);

 private:
  void DeclareGrammar();
  void StreamScene();

  MOKUnicodeString _DumpName;
  SceneContent _Content;
  bool _GrammarDeclared = false;
};

#endif
