#include "ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t step = ::write(fd, text.data() + done, text.size() - done);
    if (step <= 0) return;
    done += static_cast<std::size_t>(step);
  }
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[512];
  ssize_t step;
  while ((step = ::read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<std::size_t>(step));
  return text;
}

}  // namespace

ChildOutcome RunInChildProcess(const std::function<std::string()>& body) {
  ChildOutcome outcome;
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return outcome;
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return outcome;
  if (child == 0) {
    ::close(pipeEnds[0]);
    WriteAll(pipeEnds[1], body());
    ::close(pipeEnds[1]);
    std::exit(0);
  }
  ::close(pipeEnds[1]);
  outcome._Report = ReadAll(pipeEnds[0]);
  ::close(pipeEnds[0]);
  int status = 0;
  if (::waitpid(child, &status, 0) == child && WIFEXITED(status))
    outcome._ExitCode = WEXITSTATUS(status);
  return outcome;
}
