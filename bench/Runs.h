// Repeated runs of one command and the medians of their CPU and wall times.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct Measure {
  bool finished = false;
  std::string failure;
  double cpuSeconds = 0;  // median of user and system time
  double seconds = 0;     // median wall time
  long peakKiB = 0;       // largest of the runs
};

class Runs {
 public:
  // prepare runs before each run, untimed (to empty an output directory, say).
  explicit Runs(std::vector<std::string> command, std::function<void()> prepare = {})
      : command_(std::move(command)), prepare_(std::move(prepare)) {}

  // One more run, unless an earlier one failed: a failure ends the measurement.
  void RunOnce(int cpuLimit);
  // The medians of the runs so far.
  Measure Result() const;

 private:
  std::vector<std::string> command_;
  std::function<void()> prepare_;
  std::vector<double> cpuTimes_;
  std::vector<double> times_;
  long peakKiB_ = 0;
  std::string failure_;
};

// Runs the commands in turn, runs times each, so that a change in the
// machine's load meets all of them alike.
void TakeTurns(std::vector<Runs*> commands, int runs, int cpuLimit);

// "0.123 s (0.125 s)": CPU time and, in brackets, wall time; or why it failed.
std::string Seconds(const Measure& measure);
// Prints a figure against the bar it must not pass: "met" or "missed".
void PrintBar(const char* what, bool known, double value, double bar);
