// End-to-end cases: each tests/e2e/NAME.uxf is converted by `plimko NAME.uxf out` and
// compared byte for byte with the expected files beside it: NAME.console holds the
// whole standard output, NAME.stderr the whole standard error (no such file: it must
// be empty), and NAME.st the output file (no such file: none may be written). The
// exit status is 0 exactly when standard output ends with the closing line "Done.";
// the output directory holds nothing but the expected file afterwards.
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>

#include "driver/RunPlimko.h"
#include "support/TempFile.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(E2E_DIR))
    if (entry.path().extension() == ".uxf") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The content of an expected file; empty when there is none.
std::string ExpectedText(const fs::path& path) {
  return fs::exists(path) ? ReadWholeFile(path) : "";
}

class EndToEnd : public testing::TestWithParam<std::string> {};

TEST_P(EndToEnd, ConvertsAsExpected) {
  const std::string name = GetParam();
  const fs::path cases = E2E_DIR;
  const std::string dir = MakeTempDir();
  fs::copy_file(cases / (name + ".uxf"), fs::path(dir) / (name + ".uxf"));
  fs::create_directory(fs::path(dir) / "out");

  ProcessResult result = RunPlimko({name + ".uxf", "out"}, dir);
  ASSERT_TRUE(result.exited) << (result.timedOut ? "timed out" : "killed") << "\n" << result.err;

  const std::string console = ReadWholeFile(cases / (name + ".console"));
  EXPECT_EQ(result.out, console);
  EXPECT_EQ(result.err, ExpectedText(cases / (name + ".stderr")));
  EXPECT_EQ(result.exitStatus, console.ends_with("\nDone.\n") ? 0 : 1);

  const fs::path expected = cases / (name + ".st");
  const fs::path written = fs::path(dir) / "out" / (name + ".st");
  if (fs::exists(expected)) {
    ASSERT_TRUE(fs::exists(written)) << "no output file";
    EXPECT_EQ(ReadWholeFile(written), ReadWholeFile(expected));
    EXPECT_EQ(FilesIn(dir + "/out"), std::vector<std::string>{name + ".st"});
  } else {
    EXPECT_EQ(FilesIn(dir + "/out"), std::vector<std::string>{}) << "unexpected file";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(CaseNames()), CaseTestName);

}  // namespace
