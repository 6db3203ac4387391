// The output file: its creation, header, notes, class order and footer.
#include "writer/FileWriter.h"

#include <future>
#include <vector>

#include "model/Charset.h"
#include "model/Error.h"
#include "writer/ClassOrder.h"
#include "writer/ClassTexts.h"
#include "writer/Hierarchy.h"
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

// The order and the hierarchy only read the model, so the order is worked out
// on a thread of its own meanwhile (or later, on this one, when no thread starts).
void WriteClassesInOrder(const PElemTable& classes) {
  std::future<std::vector<PElement>> order =
      std::async(std::launch::async | std::launch::deferred, ClassOrder, classes);
  PrepareHierarchy(classes);
  WriteClassTexts(order.get(), classes, DefaultBatching());
}

}  // namespace

void WriteImportFile(const std::string& outputDir, const std::string& baseName,
                     const PElemTable& classes, const PElemTable& relations,
                     const PElemTable& others) {
  SetCategoryName(Utf8ToCp1250(baseName));
  std::string fileName = outputDir + baseName + ".st";
  std::string shownName = Utf8ToCp1250(fileName);
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
  WriteClassesInOrder(classes);
  EndLine();
  WriteLine("\"end of import file\"");
  CloseOutFile();
}
