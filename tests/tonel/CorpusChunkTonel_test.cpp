// Every corpus diagram written both ways: the Tonel package holds what filing in the
// chunk file leaves in the image, class for class and method for method.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ChunkImage.h"
#include "CorpusSupport.h"
#include "model/Error.h"
#include "support/TempFile.h"
#include "tonel/Pattern.h"
#include "tonel/TonelReader.h"

namespace {

class ChunkAndTonel : public CorpusCase {};

TEST_P(ChunkAndTonel, SayTheSame) {
  if (Unreadable()) return;
  const std::string file = GetParam();
  const std::string dir = MakeTempDir() + "/";
  const std::string name = PackageNameOf(file);
  WriteChunkFileOf(CorpusPath(file), dir);
  WriteTonelPackageOf(CorpusPath(file), dir);
  // A comment laid out as it is composed, straight into the files, gives the bytes that
  // the class held whole gives.
  const std::string held = MakeTempDir() + "/";
  WriteTonelPackage(held, ComposePackageOf(CorpusPath(file)));
  ExpectSameTree(ReadTree(held + name), ReadTree(dir + name), "laid out as composed");

  const std::map<std::string, TonelClass> image = FileIn(ReadWholeFile(dir + name + ".st"));
  const std::map<std::string, std::string> package = ReadTree(dir + name);
  std::vector<std::string> expectedFiles = {"package.st"};
  for (const auto& entry : image) expectedFiles.push_back(entry.first + ".class.st");
  std::sort(expectedFiles.begin(), expectedFiles.end());
  std::vector<std::string> files;
  for (const auto& entry : package) files.push_back(entry.first);
  ASSERT_EQ(files, expectedFiles);

  EXPECT_EQ(ReadWholeFile(dir + ".properties"), "{\n\t#format : #tonel\n}");
  EXPECT_EQ(package.at("package.st"), "Package { #name : '" + name + "' }\n");
  for (const auto& [className, filedIn] : image) {
    const TonelClass written = ReadTonelClass(package.at(className + ".class.st"));
    EXPECT_EQ(Describe(filedIn), Describe(written)) << className;
    for (const TonelMethod& method : written.methods) {
      EXPECT_EQ(SplitPattern(method.source).selector, ChunkSelector(method.source))
          << className << " " << method.source;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, ChunkAndTonel, testing::ValuesIn(CorpusDiagrams()),
                         CorpusCaseName);

}  // namespace
