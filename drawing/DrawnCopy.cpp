// The copy that a Tonel run from a diagram writes into .plimko/<package>/, written alone.
#include "drawing/DrawnCopy.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "model/Arena.h"
#include "model/Connection.h"
#include "model/FileOpen.h"
#include "reader/Parser.h"
#include "reader/scanner.h"
#include "tonel/ClassFileIndex.h"
#include "tonel/FileComparer.h"
#include "tonel/ReadBack.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelPackage.h"

namespace {

// Each class whole, laid out into its copy.
class CopySink final : public ClassSink {
 public:
  CopySink(StagedFiles& staged, const std::string& folder, CopyChanges& changes)
      : staged_(staged), folder_(folder), changes_(changes) {}

  TextSink* CommentOf(const std::string&) override { return nullptr; }

  // A copy that holds the class already needs neither the check nor a write.
  void Take(const TonelClass& cls, const std::function<TonelClass()>&) override {
    const std::string path = folder_ + cls.name + kClassFileSuffix;
    FileComparer copy(path);
    LayOutClass(cls, copy);
    const Match was = copy.End();
    if (was != Match::Same) {
      if (was == Match::Differs) changes_.replaced.push_back(cls.name);
      CheckReadsBack(cls);
      StagedFiles::Out out = staged_.Open(path);
      LayOutClass(cls, out);
      out.Close();
    }
    composed_.insert(cls.name);
  }

  const std::set<std::string>& Composed() const { return composed_; }

 private:
  std::set<std::string> composed_;
  StagedFiles& staged_;
  const std::string& folder_;
  CopyChanges& changes_;
};

// The same as a run of the program: the model lives in an arena of its own.
void ReadDiagramFile(
    const std::string& path,
    const std::function<void(const PElemTable& classes, const PElemTable& relations,
                             const PElemTable& others)>& use) {
  ModelArena arena;
  DiagramReader reader(arena);
  reader.OpenInput(path);
  PElemTable diagram;
  try {
    diagram = reader.ReadDiagram();
    reader.CloseInput();
  } catch (...) {
    try {
      reader.CloseInput();
    } catch (const std::exception&) {
    }
    throw;
  }
  const PElemTable classes = diagram->Filter(IsPlainClass);
  const PElemTable relations = diagram->Filter(IsRelType);
  ConnectClasses(classes, relations, arena);
  use(classes, relations, diagram->Filter(IsOtherElem));
}

}  // namespace

CopyChanges StageCopies(StagedFiles& staged, const std::string& dir, const std::string& package,
                        const std::string& diagramPath) {
  const std::string folder = dir + ".plimko/" + package + "/";
  std::error_code error;
  if (!std::filesystem::exists(PathOf(folder), error)) staged.StageFolder(folder);
  CopyChanges changes;
  CopySink sink(staged, folder, changes);
  ReadDiagramFile(diagramPath, [&](const PElemTable& classes, const PElemTable& relations,
                                   const PElemTable& others) {
    TonelPackage tonel = ComposeTonelPackage(package, classes, relations, others);
    // The notes are about the boxes the drawing made itself (an <<external>> class is not
    // declared); a Tonel run from the diagram prints them.
    std::vector<std::string> notes;
    tonel.composeClasses(sink, notes);
  });
  for (const std::string& name : ClassFilesIn(folder)) {
    if (sink.Composed().count(name) != 0) continue;
    staged.Remove(folder + name + kClassFileSuffix);
    changes.removed.push_back(name);
  }
  std::sort(changes.replaced.begin(), changes.replaced.end());
  return changes;
}
