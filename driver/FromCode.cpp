// Drawing a class diagram from a Tonel package: the run of --from-code.
#include "driver/FromCode.h"

#include <filesystem>

#include "drawing/DrawPackage.h"
#include "drawing/DrawnCopy.h"
#include "drawing/Layout.h"
#include "model/Error.h"
#include "model/FileOpen.h"
#include "tonel/StagedFiles.h"
#include "uxf/UxfText.h"
#include "writer/TemporaryFile.h"

namespace {

namespace fs = std::filesystem;

// The names, "A", "A and B" or "A, B and C".
std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

FromCodeReport DrawFromCode(const std::string& diagramPath, const std::string& dir,
                            const std::string& package) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(PathOf(diagramPath), error))) {
    throw GenericError("the diagram " + QuotedPath(diagramPath) +
                       " is there already: --from-code draws a new diagram only, and nothing "
                       "was written");
  }
  const fs::path folder = PathOf(diagramPath).parent_path();
  if (!folder.empty() && !fs::is_directory(folder, error)) {
    throw GenericError("the folder of the diagram " + QuotedPath(diagramPath) + " does not exist");
  }
  const std::string packageFolder = dir + package + "/";
  DrawnPackage drawn = DrawPackage(ReadPackageClasses(packageFolder));
  LayOut(drawn.drawing);

  StagedFiles staged;
  StagedFiles::Out diagram = staged.Open(diagramPath);
  diagram.Take(UxfText(drawn.drawing));
  diagram.Close();
  const CopyChanges copies = StageCopies(staged, dir, package, diagram.Temporary());
  staged.Commit();

  FromCodeReport report;
  report.lines = drawn.notes;
  const std::string copyFolder = dir + ".plimko/" + package;
  if (!copies.replaced.empty()) {
    report.lines.push_back("the copy in " + QuotedPath(copyFolder) + " held other text for " +
                           Listed(copies.replaced) +
                           ": it now holds what a Tonel run from the diagram writes");
  }
  if (!copies.removed.empty()) {
    report.lines.push_back("the copy in " + QuotedPath(copyFolder) + " held " +
                           Listed(copies.removed) +
                           ", which the diagram does not declare: removed from it");
  }
  report.lines.push_back(package + ": " + Counted(drawn.classes, "class", "classes") +
                         " drawn in " + QuotedPath(diagramPath) + ": " +
                         Counted(drawn.drawing.boxes.size(), "box", "boxes") + ", " +
                         Counted(drawn.drawing.relations.size(), "relation", "relations"));
  return report;
}
