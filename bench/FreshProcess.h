#ifndef FreshProcess_h
#define FreshProcess_h

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// What one child process took: its wall-clock time, its processor time
// (user and system), its peak resident memory, and whether it ended with
// the status expected of it.
struct ChildRun {
  bool ok;
  double seconds;
  double cpuSeconds;
  double peakBytes;
};

// Runs the command (found on PATH when it has no slash) in a fresh process
// with its standard output thrown away, and waits for it.
ChildRun RunFreshProcess(std::vector<std::string> command,
                         int expectedStatus = 0);

// Runs the command in a fresh process for every iteration of the state and
// reports the child's wall-clock time as the iteration's, its processor time
// ("ChildCPU") and peak resident memory ("PeakRSS") as counters. False, the
// benchmark then skipped, when a child did not end as expected.
bool MeasureFreshProcesses(benchmark::State& state,
                           const std::vector<std::string>& command,
                           int expectedStatus = 0);

// Size of the file in bytes; 0 when it cannot be seen.
double FileBytes(const std::string& path);

// The path of the running program.
std::string SelfPath();

#endif
