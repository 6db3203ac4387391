// Classes written on several threads give the file that one thread writes.
#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "WriterTestSupport.h"
#include "model/Connection.h"
#include "reader/Parser.h"
#include "reader/scanner.h"
#include "writer/ClassOrder.h"
#include "writer/ClassTexts.h"
#include "writer/Hierarchy.h"

namespace {

namespace fs = std::filesystem;

ClassBatching Batching(std::size_t workers, std::size_t batchWeight, std::size_t streamWeight) {
  ClassBatching batching;
  batching.workers = workers;
  batching.batchWeight = batchWeight;
  batching.streamWeight = streamWeight;
  return batching;
}

// One thread alone, then workers with batches of one class and of a few, with
// some classes written straight to the file in between.
const ClassBatching kAlone = Batching(0, 1, 1000000);
const ClassBatching kThreaded[] = {Batching(3, 1, 1000000), Batching(3, 1, 6), Batching(1, 8, 30)};

// The error message and the bytes of the classes' part of the file.
std::pair<std::string, std::string> ClassesWritten(const PElemTable& classes,
                                                   const ClassBatching& batching) {
  return CapturedError([&] {
    PrepareHierarchy(classes);
    WriteClassTexts(ClassOrder(classes), classes, batching);
  });
}

void ExpectSameOnAllThreads(const PElemTable& classes, const std::string& name) {
  const auto alone = ClassesWritten(classes, kAlone);
  for (const ClassBatching& batching : kThreaded) {
    EXPECT_EQ(ClassesWritten(classes, batching), alone)
        << name << " with " << batching.workers << " workers, batches of " << batching.batchWeight;
  }
}

std::vector<fs::path> Diagrams() {
  std::vector<fs::path> paths;
  for (const char* dir : {E2E_DIR, CORPUS_DIR}) {
    if (!fs::is_directory(dir)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() == ".uxf") paths.push_back(entry.path());
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

using ClassTextsTest = WriterTest;

// Every end-to-end and corpus diagram that reads: the same bytes, and for those
// whose writing fails, the same error after the same text.
TEST_F(ClassTextsTest, DiagramsGiveTheSameFile) {
  for (const fs::path& path : Diagrams()) {
    PElemTable diagram;
    try {
      OpenInput(path.string());
      diagram = ReadDiagram();
      CloseInput();
    } catch (const PlimkoError&) {
      CloseInput();
      continue;
    }
    PElemTable classes = diagram->Filter(IsPlainClass);
    ConnectClasses(classes, diagram->Filter(IsRelType));
    ExpectSameOnAllThreads(classes, path.filename().string());
  }
}

// A class in the middle that fails: whichever thread makes it, the file ends
// where it stopped. Repeated, since the threads take the classes in any order.
TEST_F(ClassTextsTest, FailureInTheMiddle) {
  Diagram diagram;
  for (int i = 0; i < 40; ++i) {
    diagram.AddClass("C" + std::to_string(i),
                     {Attr("a", "Integer"), Op(i == 23 ? "" : "run", Table({Param("x", "T")}))});
  }
  diagram.Connect();
  const auto alone = ClassesWritten(diagram.classes, kAlone);
  EXPECT_EQ(alone.first, "name is empty");
  for (int round = 0; round < 20; ++round) {
    for (const ClassBatching& batching : kThreaded) {
      EXPECT_EQ(ClassesWritten(diagram.classes, batching), alone);
    }
  }
}

}  // namespace
