// Running a program as a child process, on pipes or a pseudo-terminal, and collecting its output.
#include "support/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace {

struct Pipe {
  int read = -1;
  int write = -1;
  Pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    read = fds[0];
    write = fds[1];
  }
};

using Clock = std::chrono::steady_clock;

[[noreturn]] void StartChild(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workDir, const Environment& env, int in, int out,
                             int err) {
  dup2(in, STDIN_FILENO);
  dup2(out, STDOUT_FILENO);
  dup2(err, STDERR_FILENO);
  if (chdir(workDir.c_str()) != 0) _exit(127);
  for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

// Reads whatever is ready on the descriptor; answers false at its end.
bool Drain(int fd, std::string& into) {
  char buffer[4096];
  ssize_t n = read(fd, buffer, sizeof buffer);
  if (n > 0) into.append(buffer, static_cast<size_t>(n));
  return n > 0 || (n < 0 && errno == EINTR);
}

// Drains the descriptor until its end (true), or until the text ends in stopAt when that
// is given, or until the time runs out (false).
bool DrainUntilEnd(int fd, std::string& into, Clock::time_point until, std::string_view stopAt) {
  while (stopAt.empty() || !into.ends_with(stopAt)) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    pollfd ready = {fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) == 0) return false;
    if (!Drain(fd, into)) return true;
  }
  return false;
}

void FinishChild(pid_t pid, ProcessResult& result) {
  int status = 0;
  waitpid(pid, &status, 0);
  result.exited = !result.timedOut && WIFEXITED(status);
  if (result.exited) result.exitStatus = WEXITSTATUS(status);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workDir, const Environment& env,
                         const std::string& input, int timeLimitSeconds) {
  Pipe in, out, err;
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) StartChild(program, args, workDir, env, in.read, out.write, err.write);
  close(in.read);
  close(out.write);
  close(err.write);
  // The inputs of the tests are short enough for the pipe buffer.
  if (!input.empty() && write(in.write, input.data(), input.size()) < 0) {
    // The child may have ended already; its result tells the rest.
  }
  close(in.write);

  ProcessResult result;
  auto deadline = Clock::now() + std::chrono::seconds(timeLimitSeconds);
  pollfd fds[2] = {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}};
  int open = 2;
  while (open > 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      result.timedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    if (poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
    for (pollfd& fd : fds) {
      if (fd.fd < 0 || fd.revents == 0) continue;
      if (!Drain(fd.fd, fd.fd == out.read ? result.out : result.err)) {
        close(fd.fd);
        fd.fd = -1;
        --open;
      }
    }
  }
  for (pollfd& fd : fds)
    if (fd.fd >= 0) close(fd.fd);
  FinishChild(pid, result);
  return result;
}

std::optional<TerminalRun> RunOnTerminal(const std::string& program,
                                         const std::vector<std::string>& args,
                                         const std::string& workDir, const Environment& env,
                                         bool outputToTerminal, std::string_view prompt) {
  int terminal = -1, device = -1;
  if (openpty(&terminal, &device, nullptr, nullptr, nullptr) != 0) return std::nullopt;
  // Raw: the terminal neither echoes what is typed nor turns "\n" into "\r\n".
  termios mode{};
  tcgetattr(device, &mode);
  cfmakeraw(&mode);
  tcsetattr(device, TCSANOW, &mode);
  fcntl(terminal, F_SETFD, FD_CLOEXEC);
  fcntl(device, F_SETFD, FD_CLOEXEC);
  Pipe out, err;
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0)
    StartChild(program, args, workDir, env, device, outputToTerminal ? device : out.write,
               err.write);
  close(device);
  close(out.write);
  close(err.write);

  // The output ends when the program does: a pipe at its end, a terminal with EIO.
  const int output = outputToTerminal ? terminal : out.read;
  TerminalRun run;
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  bool ended = DrainUntilEnd(output, run.result.out, deadline, prompt);
  if (!ended) {
    ended = DrainUntilEnd(output, run.result.out, Clock::now() + std::chrono::seconds(1), "");
    run.waitedForEnter = !ended;
  }
  if (!ended && write(terminal, "\n", 1) == 1)
    ended = DrainUntilEnd(output, run.result.out, deadline, "");
  if (!ended) {
    run.result.timedOut = true;
    kill(pid, SIGKILL);
  }
  FinishChild(pid, run.result);
  while (Drain(err.read, run.result.err)) {
  }
  close(terminal);
  close(out.read);
  close(err.read);
  return run;
}
