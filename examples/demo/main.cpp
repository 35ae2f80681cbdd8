// visuxml-demo: a host module that owns a small scene and dumps it through
// an interactive dump command, as a real client of the library does.
#include <iostream>
#include <string>
#include <vector>

#include "DemoOptions.h"
#include "MOKCommand.h"
#include "MOKDialog.h"
#include "SceneDumpCommand.h"
#include "SceneDumpControler.h"
#include "SceneModel.h"

namespace {

// One dump as the host's user interface runs it: the command is started,
// and the event loop later deletes the command and its notification.
bool RunOneDump(const Scene& scene, bool breakGrammar, MOKDialog& window,
                int dump, int dumps) {
  SceneDumpControler controler(scene, breakGrammar);
  SceneDumpCommand* command = new SceneDumpCommand(controler, &window);
  command->Activate(nullptr, nullptr);
  MOKCommand::FlushDelayedDestructions();
  std::cout << "visuxml-demo: dump " << dump << " of " << dumps << " ("
            << controler.DescribeMode() << "): " << controler.DescribeOutcome()
            << std::endl;
  // A difference from the reference ends the process with the replay's own
  // exit code; anything else that went wrong is this program's failure.
  return controler.IsFinished() &&
         (controler.GetResult() == 0 || controler.GetResult() == 6);
}

}  // namespace

int main(int argc, char** argv) {
  DemoOptions options;
  std::string error = ParseDemoOptions(
      std::vector<std::string>(argv + 1, argv + argc), options);
  if (!error.empty()) {
    std::cerr << "visuxml-demo: " << error << "\n" << DemoUsageText();
    return 2;
  }
  if (options.showHelp) {
    std::cout << DemoUsageText();
    return 0;
  }
  MOKDialog window(nullptr, "VisuXMLDemoWindow");
  Scene scene = BuildDemoScene();
  bool allRan = true;
  for (int dump = 1; dump <= options.dumps; ++dump) {
    if (dump > 1) AdvanceScene(scene);
    Scene dumped = scene;
    PerturbTransforms(dumped, options.perturbation);
    allRan &= RunOneDump(dumped, options.breakGrammar && dump == 1, window,
                         dump, options.dumps);
  }
  return allRan ? 0 : 1;
}
