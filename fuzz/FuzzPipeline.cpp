// libFuzzer target: runs arbitrary bytes through a whole conversion, phase by phase
// as the driver does, with a scratch file as input and a scratch directory as output;
// once read by one thread and once split between two, which must agree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/Connection.h"
#include "model/ElemTable.h"
#include "model/Error.h"
#include "reader/Parser.h"
#include "reader/scanner.h"
#include "writer/FileWriter.h"

namespace {

std::string& ScratchPath() {
  static std::string path;
  return path;
}

// Fuzzing runs many processes one after another; each leaves no files behind.
void RemoveScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchPath(), ignored);
}

// One directory per fuzzing process; every input replaces the same two files.
const std::string& ScratchDir() {
  static const std::string dir = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/plimko-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    ScratchPath() = pattern;
    std::atexit(RemoveScratchDir);
    return pattern + "/";
  }();
  return dir;
}

void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) std::abort();
}

std::string ReadWhole(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return "(no file)";
  std::string text;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
    text.append(buffer, got);
  std::fclose(file);
  return text;
}

// What the user would see of a conversion: the report and the output file.
struct Outcome {
  std::string report;
  std::string output;
  bool operator==(const Outcome&) const = default;
};

// The phases of RunDriver (driver/Driver.cpp), with the same calls. The driver
// reports every std::exception; here only the system's own errors are caught,
// since they are the reports a user is meant to see, and anything else escapes
// as a finding.
std::string ConvertedReport(const std::string& dir) {
  try {
    OpenInput(dir + "fuzz.uxf");
  } catch (const PlimkoError&) {
    return "cannot open";
  }
  PElemTable diagram;
  try {
    diagram = ReadDiagram();
    CloseInput();
  } catch (const PlimkoError& error) {
    std::string report = std::string(error.what()) + " line=" + std::to_string(LineNo()) +
                         ", pos=" + std::to_string(LinePos()) + "\n" + CurLine();
    try {
      CloseInput();
    } catch (const PlimkoError&) {
      // The first failure is the one reported.
    }
    return report;
  }
  try {
    const PElemTable classes = diagram->Filter(IsPlainClass);
    const PElemTable relations = diagram->Filter(IsRelType);
    const PElemTable others = diagram->Filter(IsOtherElem);
    ConnectClasses(classes, relations);
    WriteImportFile(dir, "fuzz", classes, relations, others);
  } catch (const PlimkoError& error) {
    // Reported by the driver; the output file ends where the failure happened.
    return error.what();
  }
  return "done";
}

Outcome Convert(const std::string& dir, const SplitSettings& split) {
  std::remove((dir + "fuzz.st").c_str());
  SetSplitSettings(split);
  Outcome outcome;
  outcome.report = ConvertedReport(dir);
  outcome.output = ReadWhole(dir + "fuzz.st");
  return outcome;
}

// Splits even the smallest input, into a number of pieces that the input picks.
SplitSettings AlwaysSplit(const uint8_t* data, size_t size) {
  SplitSettings split;
  split.minInputSize = 0;
  split.pieces = size > 0 ? 2 + data[size - 1] % 8 : 2;
  split.secondTakesAll = size % 2 == 1;
  return split;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Both conversions of an input must stamp their methods alike.
  setenv("SOURCE_DATE_EPOCH", "1394183100", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = ScratchDir();
  WriteInput(dir + "fuzz.uxf", data, size);
  const Outcome alone = Convert(dir, SplitSettings());
  const Outcome split = Convert(dir, AlwaysSplit(data, size));
  if (!(split == alone)) {
    std::fprintf(stderr, "split reading differs:\n%s\n---\n%s\n", alone.report.c_str(),
                 split.report.c_str());
    std::abort();
  }
  return 0;
}
