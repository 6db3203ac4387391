// Times whole conversions of generated diagrams against xmllint on the same files.
//
//   plimko_bench [--plimko PATH] [--runs K] [--cpu-limit S] [--scratch DIR] [N ...]
//
// For each class count N (default 1000 5000 10000 50000) it writes a generated
// diagram into a scratch directory, converts it K times (default 5) with the
// plimko executable and parses it K times with `xmllint --noout`, the two taking
// turns so that a change in the machine's load meets both alike, and prints the
// median CPU time (user and system) and wall time of each, plimko's peak memory
// and the ratios that the project aims at, which compare CPU times. The
// scratch directory is made in /dev/shm when there is one: the outputs run to
// hundreds of megabytes, and the disk's write-back of them would otherwise
// decide the times.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/ChildRun.h"
#include "bench/DiagramGenerator.h"

namespace {

struct Options {
  std::string plimko = PLIMKO_EXE;
  int runs = 5;
  int cpuLimit = 600;
  std::string scratchParent = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  std::vector<int> counts;
};

struct Measure {
  bool finished = false;
  std::string failure;
  double cpuSeconds = 0;  // median
  double seconds = 0;     // median wall time
  long peakKiB = 0;       // largest of the runs
};

struct Row {
  int count = 0;
  double inputBytes = 0;
  Measure plimko;
  Measure xmllint;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--plimko" && i + 1 < argc) {
      options.plimko = argv[++i];
    } else if (arg == "--runs" && i + 1 < argc) {
      options.runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--cpu-limit" && i + 1 < argc) {
      options.cpuLimit = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--scratch" && i + 1 < argc) {
      options.scratchParent = argv[++i];
    } else {
      options.counts.push_back(std::max(1, std::atoi(arg.c_str())));
    }
  }
  if (options.counts.empty()) options.counts = {1000, 5000, 10000, 50000};
  return options;
}

// The runs of one command so far.
struct Runs {
  explicit Runs(std::vector<std::string> commandLine) : command(std::move(commandLine)) {}

  std::vector<std::string> command;
  std::vector<double> cpuTimes;
  std::vector<double> times;
  Measure measure;

  // One more run, unless an earlier one failed: a failure ends the measurement.
  void RunOnce(int cpuLimit) {
    if (!measure.failure.empty()) return;
    ChildRun run = RunChild(command, cpuLimit);
    if (!run.finished) {
      measure.failure = run.failure;
      return;
    }
    cpuTimes.push_back(run.cpuSeconds);
    times.push_back(run.seconds);
    measure.peakKiB = std::max(measure.peakKiB, run.peakKiB);
  }

  // The median of the runs.
  Measure Result() {
    if (!measure.failure.empty() || times.empty()) return measure;
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::sort(times.begin(), times.end());
    measure.cpuSeconds = cpuTimes[cpuTimes.size() / 2];
    measure.seconds = times[times.size() / 2];
    measure.finished = true;
    return measure;
  }
};

std::string Seconds(const Measure& measure) {
  if (!measure.finished) return measure.failure;
  char text[48];
  std::snprintf(text, sizeof text, "%.3f s (%.3f s)", measure.cpuSeconds, measure.seconds);
  return text;
}

const Row* RowOf(const std::vector<Row>& rows, int count) {
  for (const Row& row : rows) {
    if (row.count == count && row.plimko.finished) return &row;
  }
  return nullptr;
}

void PrintRatio(const char* what, bool known, double value, double target) {
  if (!known) {
    std::printf("%-44s not measured\n", what);
    return;
  }
  std::printf("%-44s %6.2f  (target at most %g: %s)\n", what, value, target,
              value <= target ? "met" : "missed");
}

void PrintTargets(const std::vector<Row>& rows) {
  const Row* small = RowOf(rows, 5000);
  const Row* large = RowOf(rows, 50000);
  std::printf("\n");
  PrintRatio("CPU time(50000) / CPU time(5000)", small && large,
             small && large ? large->plimko.cpuSeconds / small->plimko.cpuSeconds : 0, 11);
  bool parsed = large && large->xmllint.finished;
  PrintRatio("CPU time(50000) / xmllint CPU time(50000)", parsed,
             parsed ? large->plimko.cpuSeconds / large->xmllint.cpuSeconds : 0, 2);
  // Small inputs are dwarfed by the fixed size of a process, so the largest counts.
  const Row* largest = nullptr;
  for (const Row& row : rows) {
    if (row.plimko.finished && (!largest || row.count > largest->count)) largest = &row;
  }
  PrintRatio("peak memory / input size (largest input)", largest,
             largest ? largest->plimko.peakKiB * 1024.0 / largest->inputBytes : 0, 6);
}

// A relation left unconnected would spare the conversion the work it is
// measured for; the file writer marks such an end.
bool AllConnected(const std::filesystem::path& output) {
  std::ifstream in(output, std::ios::binary);
  if (!in) return false;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return text.find("DISCONNECTED") == std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
  Options options = ParseOptions(argc, argv);
  std::string scratchName = options.scratchParent + "/plimko-bench-XXXXXX";
  if (mkdtemp(scratchName.data()) == nullptr) {
    std::perror("plimko_bench: scratch directory");
    return 1;
  }
  std::filesystem::path scratch = scratchName;

  std::printf("%8s %12s %22s %12s %10s %22s\n", "classes", "input", "plimko CPU (wall)", "peak RSS",
              "RSS/input", "xmllint CPU (wall)");
  std::vector<Row> rows;
  for (int count : options.counts) {
    Row row;
    row.count = count;
    std::string input = (scratch / ("diagram" + std::to_string(count) + ".uxf")).string();
    std::ofstream(input, std::ios::binary) << GenerateDiagram(count);
    row.inputBytes = static_cast<double>(std::filesystem::file_size(input));
    Runs plimko({options.plimko, input, scratch.string() + "/"});
    Runs xmllint({"xmllint", "--noout", input});
    for (int i = 0; i < options.runs; ++i) {
      plimko.RunOnce(options.cpuLimit);
      xmllint.RunOnce(options.cpuLimit);
    }
    row.plimko = plimko.Result();
    row.xmllint = xmllint.Result();
    std::printf("%8d %10.1f MB %22s %9.1f MB %10.2f %22s\n", count, row.inputBytes / 1e6,
                Seconds(row.plimko).c_str(), row.plimko.peakKiB / 1024.0,
                row.plimko.peakKiB * 1024.0 / row.inputBytes, Seconds(row.xmllint).c_str());
    if (row.plimko.finished &&
        !AllConnected(scratch / ("diagram" + std::to_string(count) + ".st"))) {
      std::printf("         warning: the diagram has unconnected relations\n");
    }
    std::fflush(stdout);
    rows.push_back(row);
  }
  PrintTargets(rows);
  std::filesystem::remove_all(scratch);
  return 0;
}
