#ifndef SceneDumpControler_h
#define SceneDumpControler_h

#include <string>

#include "SceneModel.h"
#include "VisuXMLDumpControler.h"

// The demo's dump controller: declares the Scene grammar and streams the
// scene it was given. Destroying it tears the grammar down again.
class SceneDumpControler : public VisuXMLDumpControler {
 public:
  // With breakGrammar, the dump leaves a Light without its Colour once.
  SceneDumpControler(const Scene& scene, bool breakGrammar);

  VisuXMLError DumpXML() override;
  MOKUnicodeString GetXMLDumpName() override;

  // Runs FinishXMLDump and keeps its result.
  VisuXMLError FinishDump();
  // True once FinishDump has run.
  bool IsFinished() const { return _Finished; }
  VisuXMLError GetResult() const { return _Result; }
  // The run mode: "interactive", "capture", "replay" or "update".
  std::string DescribeMode() const;
  // What became of the dump, for the user.
  std::string DescribeOutcome() const;

 private:
  void StreamCamera(const Camera& camera);
  void StreamLight(const Light& light, bool withColour);
  void StreamObject(const SceneObject& object, bool transformFirst);
  void StreamTransform(const Transform& transform);
  void StreamColour(const Colour& colour);

  const Scene& _Scene;
  bool _BreakGrammar;
  bool _Finished;
  VisuXMLError _Result;
};

#endif
