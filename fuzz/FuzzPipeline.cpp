// libFuzzer target: runs arbitrary bytes through a whole conversion, phase by phase
// as the driver does, with a scratch file as input and a scratch directory as output.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/Arena.h"
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

// The phases of RunDriver (driver/Driver.cpp), with the same calls. The driver
// reports every std::exception; here only the system's own errors are caught,
// since they are the reports a user is meant to see, and anything else escapes
// as a finding.
void Convert(const std::string& dir) {
  try {
    OpenInput(dir + "fuzz.uxf");
  } catch (const PlimkoError&) {
    return;
  }
  ModelArena arena;
  PElemTable diagram;
  try {
    const ArenaInUse inUse(arena);
    diagram = ReadDiagram();
    CloseInput();
  } catch (const PlimkoError&) {
    try {
      CloseInput();
    } catch (const PlimkoError&) {
      // The first failure is the one reported.
    }
    return;
  }
  try {
    const PElemTable classes = diagram->Filter(IsPlainClass);
    const PElemTable relations = diagram->Filter(IsRelType);
    const PElemTable others = diagram->Filter(IsOtherElem);
    ConnectClasses(classes, relations);
    WriteImportFile(dir, "fuzz", "fuzz", classes, relations, others);
  } catch (const PlimkoError&) {
    // Reported by the driver; the output file is left unwritten.
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every conversion stamps its methods alike.
  setenv("SOURCE_DATE_EPOCH", "1394183100", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = ScratchDir();
  WriteInput(dir + "fuzz.uxf", data, size);
  std::remove((dir + "fuzz.st").c_str());
  Convert(dir);
  return 0;
}
