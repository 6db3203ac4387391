// Conversions share nothing: two of them in one process, their phases interleaved,
// write what each writes when it runs alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "model/Arena.h"
#include "model/Connection.h"
#include "model/ElemType.h"
#include "reader/Parser.h"
#include "support/DiagramFile.h"
#include "support/TempFile.h"
#include "tonel/TonelPackage.h"
#include "tonel/TonelWriter.h"
#include "writer/FileWriter.h"

namespace {

namespace fs = std::filesystem;

// One conversion's model, read and connected, and the files its writes leave.
struct Conversion {
  Conversion(const std::string& caseName, const std::string& outputDir)
      : name(caseName), reader(arena), dir(outputDir) {}

  void Read() {
    const PElemTable diagram = ReadDiagramFile(reader, std::string(E2E_DIR) + "/" + name + ".uxf");
    classes = diagram->Filter(IsPlainClass);
    relations = diagram->Filter(IsRelType);
    others = diagram->Filter(IsOtherElem);
    ConnectClasses(classes, relations, arena);
  }
  void WriteChunk() { WriteImportFile(dir, name, name, classes, relations, others); }
  void ComposeTonel() { package = ComposeTonelPackage(name, classes, relations, others); }
  void WriteTonel() { WriteTonelPackage(dir, package); }
  // Every file written, by its path below the directory.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
      if (entry.is_regular_file())
        files[entry.path().lexically_relative(dir).generic_string()] = ReadWholeFile(entry.path());
    }
    return files;
  }

  std::string name;
  ModelArena arena;
  DiagramReader reader;
  std::string dir;
  PElemTable classes, relations, others;
  TonelPackage package;
};

// Each alone, then both: read A, read B, write A, write B, in both formats (a Tonel
// package is composed as it is written: compose A, compose B, write A, write B), into
// the same folders (the chunk file names its path). The two differ in what a run once kept
// for all: the zoom level, the category, the members read, the facts gathered about the
// classes, the class-side initialize.
TEST(Conversions, InterleavedWriteWhatEachWritesAlone) {
  setenv("SOURCE_DATE_EPOCH", "1394183100", 1);
  const std::string a = "version11-zoom8", b = "members";
  const std::string dirs[2] = {MakeTempDir() + "/", MakeTempDir() + "/"};
  std::map<std::string, std::string> alone[2];
  for (int i = 0; i < 2; ++i) {
    Conversion conversion(i == 0 ? a : b, dirs[i]);
    conversion.Read();
    conversion.WriteChunk();
    conversion.ComposeTonel();
    conversion.WriteTonel();
    alone[i] = conversion.Files();
    fs::remove_all(dirs[i]);
    fs::create_directory(dirs[i]);
  }
  Conversion first(a, dirs[0]), second(b, dirs[1]);
  first.Read();
  second.Read();
  first.WriteChunk();
  second.WriteChunk();
  first.ComposeTonel();
  second.ComposeTonel();
  first.WriteTonel();
  second.WriteTonel();
  unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(first.Files(), alone[0]);
  EXPECT_EQ(second.Files(), alone[1]);
  EXPECT_EQ(alone[0].count(a + ".st") + alone[1].count(b + ".st"), 2u);
}

}  // namespace
