// The output file: its creation, header, notes, class order and footer.
#include "writer/FileWriter.h"

#include "model/Charset.h"
#include "writer/ChunkLayout.h"
#include "writer/ClassOrder.h"
#include "writer/ClassWriter.h"
#include "writer/Hierarchy.h"
#include "writer/MandatoryValue.h"
#include "writer/Naming.h"
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

// Drops what was gathered about the classes when the file is done, written or
// not: a process that writes file after file then holds none of an earlier one.
class GatheredFactsGuard {
 public:
  GatheredFactsGuard() = default;
  GatheredFactsGuard(const GatheredFactsGuard&) = delete;
  GatheredFactsGuard& operator=(const GatheredFactsGuard&) = delete;
  ~GatheredFactsGuard() {
    ForgetHierarchyFacts();
    ForgetMandatoryValueFacts();
  }
};

}  // namespace

void WriteImportFile(const std::string& outputDir, const std::string& baseName,
                     const std::string& category, const PElemTable& classes,
                     const PElemTable& relations, const PElemTable& others) {
  const GatheredFactsGuard factsGuard;
  SetCategoryName(category);
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
  // Run once every class exists, so that an initial value may name any of them.
  std::string initializations;
  for (const PElement& cls : ClassOrder(classes)) {
    if (ComposeClass(cls, classes, layout))
      initializations += StClassName(ToClassType(cls)) + " initialize!\r\n";
  }
  layout.Flush();
  initializations += "\r\n\"end of import file\"\r\n";
  WriteOut(initializations);
  CloseOutFile();
}
