// Repeated runs of one command and the medians of their CPU and wall times.
#include "bench/Runs.h"

#include <algorithm>
#include <cstdio>

#include "bench/ChildRun.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

void Runs::RunOnce(int cpuLimit) {
  if (!failure_.empty()) return;
  if (prepare_) prepare_();
  const ChildRun run = RunChild(command_, cpuLimit);
  if (!run.finished) {
    failure_ = run.failure;
    return;
  }
  cpuTimes_.push_back(run.cpuSeconds);
  times_.push_back(run.seconds);
  peakKiB_ = std::max(peakKiB_, run.peakKiB);
}

Measure Runs::Result() const {
  Measure measure;
  measure.failure = failure_;
  measure.peakKiB = peakKiB_;
  if (!failure_.empty() || times_.empty()) return measure;
  measure.cpuSeconds = Median(cpuTimes_);
  measure.seconds = Median(times_);
  measure.finished = true;
  return measure;
}

void TakeTurns(std::vector<Runs*> commands, int runs, int cpuLimit) {
  for (int i = 0; i < runs; ++i) {
    for (Runs* command : commands) command->RunOnce(cpuLimit);
  }
}

std::string Seconds(const Measure& measure) {
  if (!measure.finished) return measure.failure.empty() ? "not run" : measure.failure;
  char text[48];
  std::snprintf(text, sizeof text, "%.3f s (%.3f s)", measure.cpuSeconds, measure.seconds);
  return text;
}

void PrintBar(const char* what, bool known, double value, double bar) {
  if (!known) {
    std::printf("%-56s not measured\n", what);
    return;
  }
  std::printf("%-56s %8.2f  (at most %g: %s)\n", what, value, bar, value <= bar ? "met" : "missed");
}
