// libFuzzer target: runs arbitrary bytes through a whole conversion, phase by phase
// as the driver does, reading the diagram from memory and writing the output to
// memory through the interfaces files go through: no file system call per input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "model/Arena.h"
#include "model/Connection.h"
#include "model/ElemTable.h"
#include "model/Error.h"
#include "reader/Parser.h"
#include "writer/FileWriter.h"
#include "writer/OutputTarget.h"

namespace {

// The output file in memory, with the atomic file's promises: nothing is there
// until Commit, and Discard leaves nothing.
class MemoryFile final : public OutputTarget {
 public:
  void Open(const std::string&) override {
    Discard();
    open_ = true;
  }
  bool IsOpen() const override { return open_; }
  void Write(std::string_view bytes) override {
    if (!open_) throw GenericError("output file is not open");
    pending_.append(bytes);
  }
  void Commit() override {
    if (!open_) return;
    open_ = false;
    committed_.swap(pending_);
    pending_.clear();
  }
  void Discard() noexcept override {
    open_ = false;
    pending_.clear();
  }
  // Forgets the committed file, keeping its buffer for the next input.
  void Clear() { committed_.clear(); }

 private:
  bool open_ = false;
  std::string pending_;
  std::string committed_;
};

// What the target keeps from one input to the next, which libFuzzer's calls carry
// no context for: the output file, and the arenas' blocks, so that model after
// model costs the system no memory each time.
struct Session {
  MemoryFile output;
  ArenaBlocks blocks;
};

Session Kept;

// The phases of RunDriver (driver/Driver.cpp), with the same calls. The driver
// reports every std::exception; here only the system's own errors are caught,
// since they are the reports a user is meant to see, and anything else escapes
// as a finding: the reader keeps such a failure nested in its report.
void Convert(std::FILE* input, MemoryFile& output) {
  ModelArena arena(Kept.blocks);
  DiagramReader reader(arena);
  try {
    reader.OpenInput(input, "fuzz.uxf");
  } catch (const PlimkoError&) {
    return;
  }
  PElemTable diagram;
  try {
    diagram = reader.ReadDiagram();
    reader.CloseInput();
  } catch (const PlimkoError& error) {
    std::rethrow_if_nested(error);
    try {
      reader.CloseInput();
    } catch (const PlimkoError&) {
      // The first failure is the one reported.
    }
    return;
  }
  try {
    const PElemTable classes = diagram->Filter(IsPlainClass);
    const PElemTable relations = diagram->Filter(IsRelType);
    const PElemTable others = diagram->Filter(IsOtherElem);
    ConnectClasses(classes, relations, arena);
    WriteImportFile("", "fuzz", "fuzz", classes, relations, others, output);
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
  // A stream over no bytes at all is refused, so an empty input is read from one
  // byte that the stream never gives out.
  static char none = 0;
  void* bytes = size != 0 ? const_cast<uint8_t*>(data) : static_cast<void*>(&none);
  std::FILE* input = fmemopen(bytes, size != 0 ? size : 1, "rb");
  if (input == nullptr) std::abort();
  // The stream's buffer is kept from one input to the next instead of being asked
  // of the heap for each; as large as the scanner's reads, it is filled once per read.
  static char buffer[size_t{1} << 16];
  if (std::setvbuf(input, buffer, _IOFBF, sizeof buffer) != 0) std::abort();
  if (size == 0) std::fseek(input, 0, SEEK_END);
  Kept.output.Clear();
  Convert(input, Kept.output);
  return 0;
}
