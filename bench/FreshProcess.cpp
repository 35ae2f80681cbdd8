#include "FreshProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

extern char** environ;

namespace {

double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6;
}

}  // namespace

ChildRun RunFreshProcess(std::vector<std::string> command, int expectedStatus) {
  std::vector<char*> argv;
  for (std::string& argument : command) argv.push_back(&argument[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null",
                                     O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned =
      ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return ChildRun{false, 0.0, 0.0, 0.0};
  int status = 0;
  struct rusage usage;
  ::wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> elapsed =
      std::chrono::steady_clock::now() - start;
  const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == expectedStatus;
  return ChildRun{ok, elapsed.count(),
                  Seconds(usage.ru_utime) + Seconds(usage.ru_stime),
                  usage.ru_maxrss * 1024.0};
}

bool MeasureFreshProcesses(benchmark::State& state,
                           const std::vector<std::string>& command,
                           int expectedStatus) {
  for (auto _ : state) {
    const ChildRun run = RunFreshProcess(command, expectedStatus);
    if (!run.ok) {
      state.SkipWithError("the child process failed");
      return false;
    }
    state.SetIterationTime(run.seconds);
    state.counters["PeakRSS"] = run.peakBytes;
    state.counters["ChildCPU"] = run.cpuSeconds;
  }
  return true;
}

double FileBytes(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? static_cast<double>(info.st_size)
                                          : 0.0;
}

std::string SelfPath() {
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  return std::string(path, static_cast<std::size_t>(length));
}
