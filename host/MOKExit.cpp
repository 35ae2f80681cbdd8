#include "MOKExit.h"

#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace {

struct ExitHook {
  int (*_pHook)(int);
  int _Argument;
};

// A fixed table: registering must work even when memory has run out.
constexpr std::size_t kMaxExitHooks = 32;
ExitHook gExitHooks[kMaxExitHooks];
std::size_t gNbExitHooks = 0;
bool gRunnerRegistered = false;

void RunExitHooks() {
  // A hook may register another one; take each from the top until empty.
  while (gNbExitHooks > 0) {
    const ExitHook hook = gExitHooks[--gNbExitHooks];
    hook._pHook(hook._Argument);
  }
}

bool RegisterRunner() {
  if (!gRunnerRegistered) gRunnerRegistered = std::atexit(RunExitHooks) == 0;
  return gRunnerRegistered;
}

// Exit handlers and static destructors run in the reverse order of their
// registration. The runner is registered while the host layer loads, before
// the host program builds its statics or registers its own handlers, so
// that a hook ending the process (as a failed replay's does) comes only
// after the program's own cleanup, however late the hook was registered.
struct RunnerRegisteredAtLoad {
  RunnerRegisteredAtLoad() { RegisterRunner(); }
} gRunnerRegisteredAtLoad;

}  // namespace

void MOKCallOnExit(int (*hook)(int), int argument) {
  if (hook == nullptr || gNbExitHooks == kMaxExitHooks || !RegisterRunner())
    return;
  gExitHooks[gNbExitHooks++] = ExitHook{hook, argument};
}

int MOKCountExitHooks() { return static_cast<int>(gNbExitHooks); }

void MOKExit(int code) {
  std::fflush(nullptr);
  ::_exit(code);
}
