// The output file: its creation, header, notes, class order and footer.
#include "writer/FileWriter.h"

#include "model/Charset.h"
#include "writer/ChunkLayout.h"
#include "writer/ClassOrder.h"
#include "writer/ClassWriter.h"
#include "writer/Notes.h"
#include "writer/Output.h"

namespace {

// Drops the output file when the writing fails, so that no part of it appears and
// no stream outlives the run; after CloseOutFile there is nothing left to drop.
class OutFileGuard {
 public:
  OutFileGuard() = default;
  OutFileGuard(const OutFileGuard&) = delete;
  OutFileGuard& operator=(const OutFileGuard&) = delete;
  ~OutFileGuard() { AbandonOutFile(); }
};

}  // namespace

void WriteImportFile(const std::string& outputDir, const std::string& baseName,
                     const PElemTable& classes, const PElemTable& relations,
                     const PElemTable& others) {
  SetCategoryName(WellFormedUtf8(baseName));
  std::string fileName = outputDir + baseName + ".st";
  CreateOutFile(fileName);
  OutFileGuard guard;

  std::string text;
  AppendChunkText(text, "\"This is " + WellFormedUtf8(fileName) +
                            " import file generated from umlet by plimko utility.\"\n"
                            "\"Usage: drag this file with mouse and drop it into the Pharo "
                            "window.\"\n\n");
  AppendChunkText(text, ComposeNotes(relations, others));
  text += "\r\n";
  WriteOut(text);
  ChunkLayout layout(OutFileSink());
  for (const PElement& cls : ClassOrder(classes)) ComposeClass(cls, classes, layout);
  layout.Flush();
  WriteOut("\r\n\"end of import file\"\r\n");
  CloseOutFile();
}
