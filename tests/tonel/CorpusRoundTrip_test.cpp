// Every corpus diagram generated as a Tonel package, one method of each class file edited
// by hand, then generated again from the same diagram: every edit stays, nothing else
// moves, and a further run changes nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CorpusSupport.h"
#include "model/Error.h"
#include "support/HeldPackage.h"
#include "support/TempFile.h"
#include "tonel/Pattern.h"
#include "tonel/TonelReader.h"

namespace {

// The file with the body of its first method, as the file orders them, replaced by
// "^ #editedN", the way a user edits the text.
std::string EditFirstMethod(const std::string& text, int n) {
  const TonelClass cls = ReadTonelClass(text);
  if (cls.methods.empty()) throw std::runtime_error(cls.name + " has no method to edit");
  const TonelMethod method = cls.methods.front();
  const std::string source(method.source);
  const std::size_t pattern = SplitPattern(source).length;
  const std::string start =
      cls.name + (method.classSide ? " class >> " : " >> ") + source.substr(0, pattern);
  const std::string was = start + " [" + source.substr(pattern) + "\n]\n";
  const std::size_t at = text.find(was);
  if (at == std::string::npos) throw std::runtime_error(cls.name + ": the method is not found");
  return std::string(text).replace(at, was.size(),
                                   start + " [\n\t^ #edited" + std::to_string(n) + "\n]\n");
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class TonelRoundTrip : public CorpusCase {};

TEST_P(TonelRoundTrip, KeepsTheUsersEdits) {
  if (Unreadable()) return;
  const std::string file = GetParam();
  const std::string dir = MakeTempDir() + "/";
  const std::string name = PackageNameOf(file);
  std::vector<TonelClass> composed = ComposeClassesOf(CorpusPath(file));
  const int classes = static_cast<int>(composed.size());
  const TonelSummary first = WriteTonelPackage(dir, PackageOfClasses(name, std::move(composed)));
  EXPECT_EQ(SummaryLine(name, first), SummaryLine(name, {classes, 0, 0, 0, 0, {}}));
  EXPECT_EQ(first.notes, std::vector<std::string>{});

  // The whole tree as the edits leave it: the package's class files edited, the copies
  // of what plimko wrote, package.st and .properties as the first run wrote them.
  std::map<std::string, std::string> edited = ReadTree(dir);
  int edits = 0;
  for (auto& [path, text] : edited) {
    if (!path.starts_with(name + "/") || !path.ends_with(".class.st")) continue;
    text = EditFirstMethod(text, ++edits);
    WriteFile(dir + path, text);
  }
  ASSERT_EQ(edits, classes);

  // The merge keeps each edited method as written, takes the diagram's unchanged text for
  // the others, and so leaves every file as it is. A run composes each class while it
  // writes it, and notes what gives no code, as a first write into an empty folder does;
  // the merge adds no note.
  const std::vector<std::string> composing =
      WriteTonelPackageOf(CorpusPath(file), MakeTempDir() + "/").notes;
  for (const char* run : {"second run", "third run"}) {
    const TonelSummary again = WriteTonelPackageOf(CorpusPath(file), dir);
    EXPECT_EQ(SummaryLine(name, again), SummaryLine(name, {0, 0, classes, 0, edits, {}})) << run;
    EXPECT_EQ(again.notes, composing) << run;
    ExpectSameTree(edited, ReadTree(dir), run);
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, TonelRoundTrip, testing::ValuesIn(CorpusDiagrams()),
                         CorpusCaseName);

}  // namespace
