// Diagrams for the Tonel tests, the corpus of real ones above all, read and written as the
// driver reads and writes them.
#include "CorpusSupport.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <tuple>

#include "model/Arena.h"
#include "model/Connection.h"
#include "reader/Parser.h"
#include "support/DiagramFile.h"
#include "support/HeldPackage.h"
#include "support/TempFile.h"
#include "writer/FileWriter.h"

namespace {

namespace fs = std::filesystem;

using UseDiagram = std::function<void(const PElemTable& classes, const PElemTable& relations,
                                      const PElemTable& others)>;

// The model lives only for the call, in an arena of its own, as in a run of the program.
void WithDiagram(const std::string& path, const UseDiagram& use) {
  ModelArena arena;
  DiagramReader reader(arena);
  const PElemTable diagram = ReadDiagramFile(reader, path);
  const PElemTable classes = diagram->Filter(IsPlainClass);
  const PElemTable relations = diagram->Filter(IsRelType);
  const PElemTable others = diagram->Filter(IsOtherElem);
  ConnectClasses(classes, relations, arena);
  use(classes, relations, others);
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += " " + word;
  return text;
}

}  // namespace

std::vector<std::string> CorpusDiagrams() {
  if (!HaveCorpus()) return {"(corpus folder absent)"};
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(CORPUS_DIR))
    if (entry.path().extension() == ".uxf") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool HaveCorpus() {
  return fs::is_directory(CORPUS_DIR);
}

std::string CorpusCaseName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

bool IsUnreadable(const std::string& file) {
  // Its elements have no <type> or <id>: not a diagram of this format.
  return file == "29-broken-collectionItemID-instead-of-id.uxf";
}

std::string PackageNameOf(const std::string& file) {
  return fs::path(file).stem().string();
}

std::string CorpusPath(const std::string& file) {
  return (fs::path(CORPUS_DIR) / file).string();
}

void WriteChunkFileOf(const std::string& path, const std::string& dir) {
  WithDiagram(
      path, [&](const PElemTable& classes, const PElemTable& relations, const PElemTable& others) {
        WriteImportFile(dir, PackageNameOf(path), PackageNameOf(path), classes, relations, others);
      });
}

std::vector<TonelClass> ComposeClassesOf(const std::string& path) {
  std::vector<TonelClass> held;
  WithDiagram(
      path, [&](const PElemTable& classes, const PElemTable& relations, const PElemTable& others) {
        TonelPackage package = ComposeTonelPackage(PackageNameOf(path), classes, relations, others);
        held = ComposeAllClasses(package);
      });
  return held;
}

TonelPackage ComposePackageOf(const std::string& path) {
  return PackageOfClasses(PackageNameOf(path), ComposeClassesOf(path));
}

TonelSummary WriteTonelPackageOf(const std::string& path, const std::string& dir) {
  TonelSummary summary;
  WithDiagram(
      path, [&](const PElemTable& classes, const PElemTable& relations, const PElemTable& others) {
        summary = WriteTonelPackage(
            dir, ComposeTonelPackage(PackageNameOf(path), classes, relations, others));
      });
  return summary;
}

std::map<std::string, std::string> ReadTree(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), dir).string()] = ReadWholeFile(entry.path().string());
  }
  return files;
}

void ExpectSameTree(const std::map<std::string, std::string>& expected,
                    const std::map<std::string, std::string>& actual, const std::string& what) {
  auto paths = [](const std::map<std::string, std::string>& files) {
    std::vector<std::string> names;
    for (const auto& entry : files) names.push_back(entry.first);
    return names;
  };
  ASSERT_EQ(paths(expected), paths(actual)) << what;
  for (const auto& [path, text] : expected)
    EXPECT_EQ(text, actual.at(path)) << what << ": " << path;
}

std::string Describe(const TonelClass& cls) {
  std::string text = cls.kind + " " + cls.name + "\nsuperclass " + cls.superclass + "\ninstVars" +
                     Joined(cls.instVars) + "\nclassVars" + Joined(cls.classVars) +
                     "\nclassInstVars" + Joined(cls.classInstVars) + "\ncategory " + cls.category +
                     "\npackage " + cls.package + "\n";
  for (const auto& [key, value] : cls.otherEntries) text += key + " " + value + "\n";
  text += "comment\n" + cls.comment + "\n";
  std::vector<TonelMethod> methods(cls.methods.begin(), cls.methods.end());
  std::sort(methods.begin(), methods.end(), [](const TonelMethod& a, const TonelMethod& b) {
    return std::tie(a.classSide, a.selector) < std::tie(b.classSide, b.selector);
  });
  for (const TonelMethod& method : methods) {
    text += method.classSide ? "\nclass side " : "\ninstance side ";
    text.append(method.category).append(" ").append(method.selector).append("\n");
    text.append(method.source).append("\n");
  }
  return text;
}
