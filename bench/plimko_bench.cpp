// Times whole conversions of generated diagrams against reference programs on the same files.
//
//   plimko_bench [--plimko PATH] [--runs K] [--cpu-limit S] [--scratch DIR]
//                [--tonel-classes N] [--drawing-classes N] [--members-runs K] [N ...]
//
// Every figure is the median over K runs (default 5) of the CPU time (user and
// system) of a child process, with its wall time in brackets; the commands
// compared take turns, so that a change in the machine's load meets all alike.
//  - Chunk format, for each class count N (default 1000 5000 10000 50000):
//    plimko against `xmllint --noout` of the same diagram, and plimko's peak memory;
//    then the same for the largest N with every member line different, where no line
//    shares its member with another (its figures have no bar).
//  - Tonel, for the diagram of --tonel-classes classes (default 50000; 0 skips it):
//    a first write into an empty source directory against `cp -r` of the written
//    tree, a regeneration from the unchanged diagram against reading every file
//    of the tree (`find -exec cat`), and the peak memory of both.
//  - Drawing, for the diagram of --drawing-classes classes (default 5000; 0 skips it):
//    the diagram drawn back from the package that a Tonel run of it wrote, against a
//    regeneration of that package from the unchanged diagram.
//  - One class of tiny members (`a` lines), --members-runs times (default 1; 0
//    skips it): the chunk format at 50 MB, Tonel at 5 MB.
// Then it prints the figures the project aims at with their bars. The scratch
// directory is made in /dev/shm when there is one: the outputs run to gigabytes,
// and the disk's write-back of them would otherwise decide the times.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "bench/DiagramGenerator.h"
#include "bench/Runs.h"

namespace fs = std::filesystem;

namespace {

constexpr double kMB = 1e6;
constexpr int64_t kChunkMembers = 25000000;  // a 50 MB diagram
constexpr int64_t kTonelMembers = 2500000;   // a 5 MB diagram

struct Options {
  std::string plimko = PLIMKO_EXE;
  int runs = 5;
  int cpuLimit = 600;
  std::string scratchParent = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  int tonelClasses = 50000;
  int drawingClasses = 5000;
  int membersRuns = 1;
  std::vector<int> counts;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool valued = i + 1 < argc;
    if (arg == "--plimko" && valued) {
      options.plimko = argv[++i];
    } else if (arg == "--runs" && valued) {
      options.runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--cpu-limit" && valued) {
      options.cpuLimit = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--scratch" && valued) {
      options.scratchParent = argv[++i];
    } else if (arg == "--tonel-classes" && valued) {
      options.tonelClasses = std::max(0, std::atoi(argv[++i]));
    } else if (arg == "--drawing-classes" && valued) {
      options.drawingClasses = std::max(0, std::atoi(argv[++i]));
    } else if (arg == "--members-runs" && valued) {
      options.membersRuns = std::max(0, std::atoi(argv[++i]));
    } else {
      options.counts.push_back(std::max(1, std::atoi(arg.c_str())));
    }
  }
  if (options.counts.empty()) options.counts = {1000, 5000, 10000, 50000};
  return options;
}

double PeakBytes(const Measure& measure) {
  return static_cast<double>(measure.peakKiB) * 1024.0;
}

// Writes the diagram and answers its size in bytes.
double WriteDiagram(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
  return static_cast<double>(fs::file_size(path));
}

// Empties the directory, making it when it is not there.
void Emptied(const fs::path& dir) {
  fs::remove_all(dir);
  fs::create_directories(dir);
}

// A relation left unconnected would spare the conversion the work it is
// measured for; the file writer marks such an end.
bool AllConnected(const fs::path& output) {
  std::ifstream in(output, std::ios::binary);
  if (!in) return false;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return text.find("DISCONNECTED") == std::string::npos;
}

uintmax_t LargestFileIn(const fs::path& dir) {
  uintmax_t largest = 0;
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir, ignored)) {
    if (entry.is_regular_file()) largest = std::max(largest, entry.file_size());
  }
  return largest;
}

std::vector<std::string> TonelCommand(const Options& options, const fs::path& input,
                                      const fs::path& dir) {
  return {options.plimko, "--format", "tonel", input.string(), dir.string() + "/"};
}

struct ChunkRow {
  int count = 0;
  bool distinct = false;  // every member line different
  double inputBytes = 0;
  Measure plimko;
  Measure xmllint;
};

const ChunkRow* RowOf(const std::vector<ChunkRow>& rows, int count) {
  for (const ChunkRow& row : rows) {
    if (row.count == count && !row.distinct && row.plimko.finished) return &row;
  }
  return nullptr;
}

std::vector<ChunkRow> MeasureChunk(const Options& options, const fs::path& scratch) {
  std::printf("Chunk format\n%8s %10s %22s %12s %10s %22s\n", "classes", "input",
              "plimko CPU (wall)", "peak RSS", "RSS/input", "xmllint CPU (wall)");
  std::vector<std::pair<int, bool>> diagrams;
  for (const int count : options.counts) diagrams.emplace_back(count, false);
  diagrams.emplace_back(*std::max_element(options.counts.begin(), options.counts.end()), true);
  std::vector<ChunkRow> rows;
  for (const auto& [count, distinct] : diagrams) {
    ChunkRow row;
    row.count = count;
    row.distinct = distinct;
    const fs::path input = scratch / ("diagram" + std::to_string(count) + ".uxf");
    row.inputBytes = WriteDiagram(input, GenerateDiagram(count, distinct));
    Runs plimko({options.plimko, input.string(), scratch.string() + "/"});
    Runs xmllint({"xmllint", "--noout", input.string()});
    TakeTurns({&plimko, &xmllint}, options.runs, options.cpuLimit);
    row.plimko = plimko.Result();
    row.xmllint = xmllint.Result();
    std::printf("%7d%c %7.1f MB %22s %9.1f MB %10.2f %22s\n", count, distinct ? '*' : ' ',
                row.inputBytes / kMB, Seconds(row.plimko).c_str(), PeakBytes(row.plimko) / kMB,
                PeakBytes(row.plimko) / row.inputBytes, Seconds(row.xmllint).c_str());
    const fs::path output = scratch / ("diagram" + std::to_string(count) + ".st");
    if (row.plimko.finished && !AllConnected(output)) {
      std::printf("         warning: the diagram has unconnected relations\n");
    }
    fs::remove(output);
    std::fflush(stdout);
    rows.push_back(row);
  }
  return rows;
}

void PrintChunkBars(const std::vector<ChunkRow>& rows) {
  const ChunkRow* small = RowOf(rows, 5000);
  const ChunkRow* large = RowOf(rows, 50000);
  const bool both = small != nullptr && large != nullptr;
  PrintBar("chunk: CPU(50000) / CPU(5000)", both,
           both ? large->plimko.cpuSeconds / small->plimko.cpuSeconds : 0, 11);
  const bool parsed = large != nullptr && large->xmllint.finished;
  PrintBar("chunk: CPU(50000) / xmllint CPU(50000)", parsed,
           parsed ? large->plimko.cpuSeconds / large->xmllint.cpuSeconds : 0, 1.5);
  PrintBar("chunk: peak memory / input (50000)", large != nullptr,
           large ? PeakBytes(large->plimko) / large->inputBytes : 0, 5);
  const ChunkRow& distinct = rows.back();
  if (!distinct.plimko.finished || !distinct.xmllint.finished) return;
  std::printf("%-56s %8.2f  (no bar)\n", "chunk*, every line different: CPU / xmllint CPU",
              distinct.plimko.cpuSeconds / distinct.xmllint.cpuSeconds);
  std::printf("%-56s %8.2f  (no bar)\n", "chunk*, every line different: peak memory / input",
              PeakBytes(distinct.plimko) / distinct.inputBytes);
}

struct TonelFigures {
  bool measured = false;
  double inputBytes = 0;
  Measure first, copy, regenerate, read;
};

TonelFigures MeasureTonel(const Options& options, const fs::path& scratch) {
  TonelFigures figures;
  if (options.tonelClasses == 0) return figures;
  figures.measured = true;
  const fs::path input = scratch / ("tonel" + std::to_string(options.tonelClasses) + ".uxf");
  figures.inputBytes = WriteDiagram(input, GenerateDiagram(options.tonelClasses));
  const fs::path tree = scratch / "tonel-tree";
  const fs::path copy = scratch / "tonel-copy";
  // In each turn the first write leaves the tree that the others copy, regenerate and read.
  Runs first(TonelCommand(options, input, tree), [&] { Emptied(tree); });
  Runs copying({"cp", "-r", tree.string(), copy.string()}, [&] { fs::remove_all(copy); });
  Runs regenerate(TonelCommand(options, input, tree));
  Runs read({"find", tree.string(), "-type", "f", "-exec", "cat", "{}", "+"});
  TakeTurns({&first, &copying, &regenerate, &read}, options.runs, options.cpuLimit);
  figures.first = first.Result();
  figures.copy = copying.Result();
  figures.regenerate = regenerate.Result();
  figures.read = read.Result();
  std::printf("\nTonel, %d classes, %.1f MB\n", options.tonelClasses, figures.inputBytes / kMB);
  std::printf("  first write   %22s  peak %9.1f MB   cp -r of the tree  %22s\n",
              Seconds(figures.first).c_str(), PeakBytes(figures.first) / kMB,
              Seconds(figures.copy).c_str());
  std::printf("  regeneration  %22s  peak %9.1f MB   cat of every file  %22s\n",
              Seconds(figures.regenerate).c_str(), PeakBytes(figures.regenerate) / kMB,
              Seconds(figures.read).c_str());
  fs::remove_all(tree);
  fs::remove_all(copy);
  std::fflush(stdout);
  return figures;
}

void PrintTonelBars(const TonelFigures& figures) {
  const bool copied = figures.first.finished && figures.copy.finished;
  PrintBar("tonel: first write / cp -r of the tree", copied,
           copied ? figures.first.cpuSeconds / figures.copy.cpuSeconds : 0, 1.5);
  const bool read = figures.regenerate.finished && figures.read.finished;
  PrintBar("tonel: regeneration / cat of every file", read,
           read ? figures.regenerate.cpuSeconds / figures.read.cpuSeconds : 0, 2);
  const bool peaked = figures.first.finished && figures.regenerate.finished;
  const double peak = std::max(PeakBytes(figures.first), PeakBytes(figures.regenerate));
  PrintBar("tonel: peak memory / input", peaked, peaked ? peak / figures.inputBytes : 0, 6);
}

struct DrawingFigures {
  bool measured = false;
  Measure drawing, regenerate;
};

DrawingFigures MeasureDrawing(const Options& options, const fs::path& scratch) {
  DrawingFigures figures;
  if (options.drawingClasses == 0) return figures;
  figures.measured = true;
  const std::string package = "drawing" + std::to_string(options.drawingClasses);
  const fs::path input = scratch / (package + ".uxf");
  WriteDiagram(input, GenerateDiagram(options.drawingClasses));
  // Each command has a tree of its own, so that neither finds what the other wrote.
  const fs::path tree = scratch / "drawing-tree";
  const fs::path drawnTree = scratch / "drawn-tree";
  const fs::path drawn = scratch / "drawn.uxf";
  Runs first(TonelCommand(options, input, tree), [&] { Emptied(tree); });
  TakeTurns({&first}, 1, options.cpuLimit);
  fs::copy(tree, drawnTree, fs::copy_options::recursive);
  Runs drawing({options.plimko, "--from-code", "--package", package, drawn.string(),
                drawnTree.string() + "/"},
               [&] { fs::remove(drawn); });
  Runs regenerate(TonelCommand(options, input, tree));
  TakeTurns({&drawing, &regenerate}, options.runs, options.cpuLimit);
  figures.drawing = drawing.Result();
  figures.regenerate = regenerate.Result();
  std::printf("\nDrawing, %d classes\n", options.drawingClasses);
  std::printf("  drawing       %22s  peak %9.1f MB   Tonel regeneration %22s\n",
              Seconds(figures.drawing).c_str(), PeakBytes(figures.drawing) / kMB,
              Seconds(figures.regenerate).c_str());
  fs::remove_all(tree);
  fs::remove_all(drawnTree);
  fs::remove(drawn);
  std::fflush(stdout);
  return figures;
}

void PrintDrawingBars(const DrawingFigures& figures) {
  const bool both = figures.drawing.finished && figures.regenerate.finished;
  PrintBar("drawing / Tonel regeneration of the package", both,
           both ? figures.drawing.cpuSeconds / figures.regenerate.cpuSeconds : 0, 2);
}

struct MembersFigures {
  bool measured = false;
  Measure chunk;
  double tonelInput = 0;
  double largestClassFile = 0;
  Measure tonel;
};

MembersFigures MeasureMembers(const Options& options, const fs::path& scratch) {
  MembersFigures figures;
  if (options.membersRuns == 0) return figures;
  figures.measured = true;
  const fs::path many = scratch / "many.uxf";
  const double chunkInput = WriteDiagram(many, GenerateManyMembers(kChunkMembers));
  const fs::path output = scratch / "many.st";
  Runs chunk({options.plimko, many.string(), scratch.string() + "/"}, [&] { fs::remove(output); });
  TakeTurns({&chunk}, options.membersRuns, options.cpuLimit);
  figures.chunk = chunk.Result();
  fs::remove(output);
  fs::remove(many);

  const fs::path few = scratch / "few.uxf";
  figures.tonelInput = WriteDiagram(few, GenerateManyMembers(kTonelMembers));
  const fs::path tree = scratch / "members-tree";
  Runs tonel(TonelCommand(options, few, tree), [&] { Emptied(tree); });
  TakeTurns({&tonel}, options.membersRuns, options.cpuLimit);
  figures.tonel = tonel.Result();
  figures.largestClassFile = static_cast<double>(LargestFileIn(tree / "few"));
  fs::remove_all(tree);
  fs::remove(few);

  std::printf("\nOne class of tiny members\n");
  std::printf("  chunk, %5.1f MB  %22s  peak %9.1f MB\n", chunkInput / kMB,
              Seconds(figures.chunk).c_str(), PeakBytes(figures.chunk) / kMB);
  std::printf("  tonel, %5.1f MB  %22s  peak %9.1f MB  largest class file %.1f MB\n",
              figures.tonelInput / kMB, Seconds(figures.tonel).c_str(),
              PeakBytes(figures.tonel) / kMB, figures.largestClassFile / kMB);
  std::fflush(stdout);
  return figures;
}

void PrintMembersBars(const MembersFigures& figures) {
  const bool chunk = figures.chunk.finished;
  PrintBar("tiny members, chunk 50 MB: peak memory (GB)", chunk, PeakBytes(figures.chunk) / 1e9, 2);
  PrintBar("tiny members, chunk 50 MB: CPU time (s)", chunk, figures.chunk.cpuSeconds, 30);
  const double allowed = 1.5 * figures.largestClassFile + 6 * figures.tonelInput;
  PrintBar("tiny members, tonel 5 MB: peak / (1.5 class file + 6 input)",
           figures.tonel.finished && allowed > 0,
           allowed > 0 ? PeakBytes(figures.tonel) / allowed : 0, 1);
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  std::string scratchName = options.scratchParent + "/plimko-bench-XXXXXX";
  if (mkdtemp(scratchName.data()) == nullptr) {
    std::perror("plimko_bench: scratch directory");
    return 1;
  }
  const fs::path scratch = scratchName;
  const std::vector<ChunkRow> rows = MeasureChunk(options, scratch);
  const TonelFigures tonel = MeasureTonel(options, scratch);
  const DrawingFigures drawing = MeasureDrawing(options, scratch);
  const MembersFigures members = MeasureMembers(options, scratch);
  std::printf("\n");
  PrintChunkBars(rows);
  if (tonel.measured) PrintTonelBars(tonel);
  if (drawing.measured) PrintDrawingBars(drawing);
  if (members.measured) PrintMembersBars(members);
  fs::remove_all(scratch);
  return 0;
}
