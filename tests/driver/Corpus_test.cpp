// Real diagrams from public projects: every one converts or fails with a report,
// never crashes or hangs.
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>

#include "driver/RunPlimko.h"
#include "support/TempFile.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> names;
  if (!fs::is_directory(CORPUS_DIR)) return {"(corpus folder absent)"};
  for (const fs::directory_entry& entry : fs::directory_iterator(CORPUS_DIR))
    if (entry.path().extension() == ".uxf") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Corpus : public testing::TestWithParam<std::string> {};

TEST_P(Corpus, ConvertsOrReports) {
  if (!fs::is_directory(CORPUS_DIR)) GTEST_SKIP() << "corpus folder " << CORPUS_DIR << " is absent";
  const std::string file = GetParam();
  const std::string dir = MakeTempDir();
  fs::copy_file(fs::path(CORPUS_DIR) / file, fs::path(dir) / file);
  fs::create_directory(fs::path(dir) / "out");

  ProcessResult result = RunPlimko({file, "out"}, dir);
  ASSERT_TRUE(result.exited) << (result.timedOut ? "timed out" : "killed") << "\n" << result.err;
  EXPECT_EQ(result.err, "");
  const std::string output = "out/" + fs::path(file).stem().string() + ".st";
  if (result.exitStatus == 0) {
    EXPECT_EQ(result.out, "plimko running ...\nDone. Press Enter...");
    EXPECT_TRUE(fs::exists(fs::path(dir) / output));
  } else {
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out.rfind("plimko running ...\n)-8 ", 0), 0u) << result.out;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, Corpus, testing::ValuesIn(CorpusFiles()), CaseTestName);

}  // namespace
