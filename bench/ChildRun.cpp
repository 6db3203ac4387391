// Runs a program as a child process and measures its wall and CPU time and peak memory.
#include "bench/ChildRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

// In the child: only async-signal-safe calls until exec.
[[noreturn]] void ExecChild(std::vector<char*>& argv, int cpuSeconds) {
  int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
  }
  rlimit limit{static_cast<rlim_t>(cpuSeconds), static_cast<rlim_t>(cpuSeconds) + 1};
  setrlimit(RLIMIT_CPU, &limit);
  execvp(argv[0], argv.data());
  _exit(127);
}

}  // namespace

ChildRun RunChild(const std::vector<std::string>& command, int cpuSeconds) {
  std::vector<char*> argv;
  for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  ChildRun run;
  auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child < 0) {
    run.failure = "cannot start " + command.front();
    return run;
  }
  if (child == 0) ExecChild(argv, cpuSeconds);
  int status = 0;
  rusage usage{};
  pid_t waited = wait4(child, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  run.peakKiB = usage.ru_maxrss;
  if (waited != child) {
    run.failure = "lost " + command.front();
  } else if (WIFSIGNALED(status)) {
    int signal = WTERMSIG(status);
    run.failure = signal == SIGXCPU || signal == SIGKILL
                      ? "over " + std::to_string(cpuSeconds) + " s of CPU"
                      : "killed by signal " + std::to_string(signal);
  } else if (WEXITSTATUS(status) == 127) {
    run.failure = command.front() + " not found";
  } else if (WEXITSTATUS(status) != 0) {
    run.failure = command.front() + " exited with " + std::to_string(WEXITSTATUS(status));
  } else {
    run.finished = true;
  }
  return run;
}
