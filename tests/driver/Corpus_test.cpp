// Real diagrams from public projects: every one converts or ends in its report,
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

const std::string kDone = "plimko running ...\nDone. Press Enter...";

// The files that end in a report, with the whole console text; all others convert.
const std::map<std::string, std::string> kReports = {
    // Not a diagram of this format: its elements have no <type> or <id>, so the
    // search for the first element's type runs past the end of the document.
    {"29-broken-collectionItemID-instead-of-id.uxf",
     "plimko running ...\n)-8 LookAheadFor reached end of file unexpectedly B-(\n\n"
     "line=1262, pos=-2\nv\n\n\nPress Enter..."},
};

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
  const auto report = kReports.find(file);
  const bool converts = report == kReports.end();
  EXPECT_EQ(result.out, converts ? kDone : report->second);
  EXPECT_EQ(result.exitStatus, converts ? 0 : 1);
  // A failure while writing leaves the output file as far as it got.
  const bool readFails = !converts && report->second.find("line=") != std::string::npos;
  const fs::path output = fs::path(dir) / "out" / (fs::path(file).stem().string() + ".st");
  EXPECT_EQ(fs::exists(output), !readFails);
}

INSTANTIATE_TEST_SUITE_P(Files, Corpus, testing::ValuesIn(CorpusFiles()), CaseTestName);

}  // namespace
