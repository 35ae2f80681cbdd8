#ifndef ChildProcess_h
#define ChildProcess_h

#include <functional>
#include <string>

// How a child process ended and what its body reported.
struct ChildOutcome {
  // The exit code, or -1 when the child did not exit normally.
  int _ExitCode = -1;
  std::string _Report;
};

// Runs body in a forked child that then ends through exit(0), so exit hooks
// armed by the body decide the exit code; the text the body returns is
// handed back to the parent through a pipe.
ChildOutcome RunInChildProcess(const std::function<std::string()>& body);

#endif
