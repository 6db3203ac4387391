// Real diagrams from public projects: every one converts or ends in its report,
// never crashes or hangs.
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <map>

#include "driver/RunPlimko.h"
#include "support/TempFile.h"

namespace {

namespace fs = std::filesystem;

// The files that end in a report, with the whole standard error; all others convert.
const std::map<std::string, std::string> kReports = {
    // Not a diagram of this format: its elements have no <type> or <id>, so the
    // search for the first element's type runs past the end of the document.
    {"29-broken-collectionItemID-instead-of-id.uxf",
     ")-8 LookAheadFor reached end of file unexpectedly B-(\n\nline=1262, pos=-2\nv\n\n"},
};

// One test for the whole folder, which is looked for when the test runs: a list of
// tests made from the folder when the tests were listed would pass by running none
// once the folder is gone.
TEST(Corpus, EveryFileConvertsOrReports) {
  if (!fs::is_directory(CORPUS_DIR)) GTEST_SKIP() << "corpus folder " << CORPUS_DIR << " is absent";
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(CORPUS_DIR))
    if (entry.path().extension() == ".uxf") files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  if (files.empty()) GTEST_SKIP() << "corpus folder " << CORPUS_DIR << " holds no diagram";

  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const std::string dir = MakeTempDir();
    fs::copy_file(fs::path(CORPUS_DIR) / file, fs::path(dir) / file);
    fs::create_directory(fs::path(dir) / "out");

    ProcessResult result = RunPlimko({file, "out"}, dir);
    ASSERT_TRUE(result.exited) << (result.timedOut ? "timed out" : "killed") << "\n" << result.err;
    const auto report = kReports.find(file);
    const bool converts = report == kReports.end();
    EXPECT_EQ(result.out, converts ? kDoneConsole : kFailedConsole);
    EXPECT_EQ(result.err, converts ? "" : report->second);
    EXPECT_EQ(result.exitStatus, converts ? 0 : 1);
    // A failed run leaves no output file.
    const fs::path output = fs::path(dir) / "out" / (fs::path(file).stem().string() + ".st");
    EXPECT_EQ(fs::exists(output), converts);
  }
}

}  // namespace
