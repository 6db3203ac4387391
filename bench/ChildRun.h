// Runs a program as a child process and measures its wall and CPU time and peak memory.
#pragma once

#include <string>
#include <vector>

struct ChildRun {
  bool finished = false;  // exited normally with status 0
  double seconds = 0;     // wall time
  double cpuSeconds = 0;  // user and system time
  long peakKiB = 0;
  std::string failure;  // why the run did not finish, when it did not
};

// Runs the program with the arguments, standard input from /dev/null and its
// output discarded; a run that uses more than cpuSeconds of CPU time is ended.
ChildRun RunChild(const std::vector<std::string>& command, int cpuSeconds);
