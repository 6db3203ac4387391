// The output file: its creation, header, notes, class order and footer.
#include "writer/FileWriter.h"

#include "model/Charset.h"
#include "model/ElemType.h"
#include "model/Error.h"
#include "writer/ClassWriter.h"
#include "writer/Notes.h"
#include "writer/Output.h"
#include "writer/Relations.h"

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

// Whether the relation leads from the class to another class that is still to be
// written. Every class a relation records is one of the classes table, so a class
// is still to be written exactly when its Written flag is clear; this keeps a pass
// linear in the number of relations.
bool LeadsToWaitingClass(const PElement& element, const PElement& cls) {
  PRelType relation = ToRelType(element);
  PClassType to = relation->GetClass2();
  return IsClassAt(relation->GetClass1(), cls) && to && !IsClassAt(to, cls) && !to->GetWritten();
}

bool IsReady(const PElement& cls) {
  return ToClassType(cls)->GetRelations()->FilterWithElem(cls, LeadsToWaitingClass)->IsEmpty();
}

bool IsNotWritten(const PElement& cls) {
  return !ToClassType(cls)->GetWritten();
}

// Classes come after the classes they depend on, as far as cycles allow; each
// pass writes at least one class, so the loop ends.
void WriteClassesInOrder(const PElemTable& classes) {
  PElemTable remaining = classes;
  PElemTable ready = remaining->Filter(IsReady);
  while (!ready->IsEmpty()) {
    ready->ForEachWithTable(classes, WriteClass);
    remaining = remaining->Filter(IsNotWritten);
    ready = remaining->Filter(IsReady);
  }
  remaining->ForEachWithTable(classes, WriteClass);
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
