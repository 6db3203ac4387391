// Every corpus diagram written as a Tonel package, then drawn back from the package alone:
// the copy that the drawing writes is the one the diagram wrote, and the drawing has no
// box over another and no relation through a box.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "LayoutCheck.h"
#include "drawing/DrawPackage.h"
#include "drawing/Layout.h"
#include "driver/FromCode.h"
#include "support/TempFile.h"
#include "tonel/CorpusSupport.h"

namespace {

// The diagrams whose package does not give the diagram's copy back, each with the copies
// that differ. A diagram that draws no class has none: its package holds no class file.
struct Exception {
  const char* why;
  std::vector<std::string> differing;
};

const std::map<std::string, Exception> kExceptions = {
    {"05-umletino-sequence-diagram.uxf", {"no class: a sequence diagram", {}}},
    {"28-reference-package-palette.uxf", {"no class: a palette of packages", {}}},
    {"40-pt-domain-model-drawn-with-states.uxf", {"no class: drawn with state elements", {}}},
    {"41-sequence-allinone-text-dsl-tabs.uxf", {"no class: a sequence diagram", {}}},
    // A class drawn twice: its file holds the later box's comment and variables, and the
    // methods of both; the drawing has the one class the file shows.
    {"18-old-umlet_diagram-zoom5-large.uxf",
     {"classes drawn twice",
      {"CommonFunctionsWithinVariousHTMLObjects.class.st", "Start.class.st"}}},
    {"19-old-umlet_diagram-zoom10-large.uxf",
     {"classes drawn twice",
      {"CommonFunctionsWithinVariousHTMLObjects.class.st", "Start.class.st"}}},
    {"30-zh-chinese-labels-js-destructuring.uxf",
     {"classes drawn twice, as modal and Modal, timer and Timer",
      {"Modal.class.st", "Timer.class.st"}}},
    {"37-fortran-stereotype-as-typename-packages-notes.uxf",
     {"module::SFC_data_types and module::SWE_data_types drawn as many boxes",
      {"SFC_data_types.class.st", "SWE_data_types.class.st"}}},
};

class DrawingRoundTrip : public CorpusCase {};

TEST_P(DrawingRoundTrip, GivesTheDiagramsCopyBack) {
  if (Unreadable()) return;
  const std::string file = GetParam();
  const std::string dir = MakeTempDir() + "/";
  const std::string name = PackageNameOf(file);
  WriteTonelPackageOf(CorpusPath(file), dir);
  const auto exception = kExceptions.find(file);
  if (exception != kExceptions.end() && exception->second.differing.empty()) {
    EXPECT_THROW(DrawFromCode(dir + "drawn.uxf", dir, name), PlimkoError) << file;
    return;
  }
  const std::string copies = dir + ".plimko/" + name;
  const std::map<std::string, std::string> written = ReadTree(copies);
  DrawFromCode(dir + "drawn.uxf", dir, name);
  const std::map<std::string, std::string> drawn = ReadTree(copies);
  std::vector<std::string> differing;
  for (const auto& [path, text] : written)
    if (drawn.count(path) == 0 || drawn.at(path) != text) differing.push_back(path);
  for (const auto& entry : drawn)
    if (written.count(entry.first) == 0) differing.push_back(entry.first);
  EXPECT_EQ(differing, exception == kExceptions.end() ? std::vector<std::string>()
                                                      : exception->second.differing);

  DrawnPackage package = DrawPackage(ReadPackageClasses(dir + name + "/"));
  LayOut(package.drawing);
  EXPECT_EQ(LayoutFaults(package.drawing), "");
}

INSTANTIATE_TEST_SUITE_P(Corpus, DrawingRoundTrip, testing::ValuesIn(CorpusDiagrams()),
                         CorpusCaseName);

}  // namespace
