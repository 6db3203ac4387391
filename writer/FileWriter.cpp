// The output file: its creation, header, notes, class order and footer.
#include "writer/FileWriter.h"

#include "model/Charset.h"
#include "model/Error.h"
#include "writer/ClassOrder.h"
#include "writer/ClassWriter.h"
#include "writer/Notes.h"
#include "writer/Output.h"

namespace {

// Closes the output file however the writing ends, so that what was written
// stays in it and no stream outlives the run.
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
  std::string shownName = WellFormedUtf8(fileName);
  if (!CreateOutFile(fileName)) throw GenericError("cannot open \"" + shownName + "\"");
  OutFileGuard guard;

  Write("\"This is ");
  WriteDiagramText(shownName);
  WriteLine(" import file generated from umlet by plimko utility.\"");
  WriteLine("\"Usage: drag this file with mouse and drop it into the Pharo window.\"");
  EndLine();
  relations->ForEach(WriteUnconnectedNote);
  others->ForEach(WriteIgnoredNote);
  EndLine();
  for (const PElement& cls : ClassOrder(classes)) WriteClass(cls, classes);
  EndLine();
  WriteLine("\"end of import file\"");
  CloseOutFile();
}
