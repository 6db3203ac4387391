// End-to-end cases: each tests/e2e/NAME.uxf is converted and compared with the
// expected NAME.console and, when present, NAME.st, byte for byte.
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
  const std::string done = "Done. Press Enter...";
  const bool succeeds = console.size() >= done.size() &&
                        console.compare(console.size() - done.size(), done.size(), done) == 0;
  EXPECT_EQ(result.out, console);
  EXPECT_EQ(result.exitStatus, succeeds ? 0 : 1);
  EXPECT_EQ(result.err, "");

  const fs::path expected = cases / (name + ".st");
  const fs::path written = fs::path(dir) / "out" / (name + ".st");
  if (fs::exists(expected)) {
    ASSERT_TRUE(fs::exists(written)) << "no output file";
    EXPECT_EQ(ReadWholeFile(written), ReadWholeFile(expected));
  } else {
    EXPECT_FALSE(fs::exists(written)) << "unexpected output file";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(CaseNames()), CaseTestName);

}  // namespace
