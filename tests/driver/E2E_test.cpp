// End-to-end cases: each tests/e2e/NAME.uxf is converted by `plimko NAME.uxf out` and
// compared byte for byte with the expected files beside it: NAME.console holds the
// whole standard output, NAME.stderr the whole standard error (no such file: it must
// be empty), and NAME.st the output file (no such file: none may be written). The
// exit status is 0 exactly when standard output ends with the closing line "Done.";
// the output directory holds nothing but the expected file afterwards.
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

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

// Tonel cases: each folder tests/e2e/tonel/NAME/ holds `args` (the command line, an
// argument a line), `input/` (the files the run starts with, beside an empty folder
// out/), `expected/` (every file the run writes or changes, whole; a link stands for
// a file with the same text as its target), `removed` (the files the run deletes, a
// path a line; optional), `console` and `stderr` (optional), as above. Every other
// file must be left as it was.

// The files below the folder, by path relative to it, with their bytes.
std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (fs::is_regular_file(entry.path()))  // through a link too
      files[entry.path().lexically_relative(root).generic_string()] = ReadWholeFile(entry.path());
  }
  return files;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> TonelCaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(E2E_DIR) / "tonel"))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class TonelEndToEnd : public testing::TestWithParam<std::string> {};

TEST_P(TonelEndToEnd, WritesTheExpectedTree) {
  const fs::path cases = fs::path(E2E_DIR) / "tonel" / GetParam();
  const fs::path dir = MakeTempDir();
  fs::create_directory(dir / "out");
  fs::copy(cases / "input", dir, fs::copy_options::recursive);

  ProcessResult result = RunPlimko(Lines(ReadWholeFile(cases / "args")), dir.string());
  ASSERT_TRUE(result.exited) << (result.timedOut ? "timed out" : "killed") << "\n" << result.err;
  const std::string console = ReadWholeFile(cases / "console");
  EXPECT_EQ(result.out, console);
  EXPECT_EQ(result.err, ExpectedText(cases / "stderr"));
  EXPECT_EQ(result.exitStatus, console.ends_with("\nDone.\n") ? 0 : 1);

  std::map<std::string, std::string> expected = Tree(cases / "input");
  for (const std::string& path : Lines(ExpectedText(cases / "removed"))) expected.erase(path);
  for (auto& [path, text] : Tree(cases / "expected")) expected[path] = text;
  const std::map<std::string, std::string> written = Tree(dir);
  for (const auto& [path, text] : expected) {
    auto found = written.find(path);
    ASSERT_NE(found, written.end()) << "missing " << path;
    EXPECT_EQ(found->second, text) << path;
  }
  for (const auto& entry : written) EXPECT_EQ(expected.count(entry.first), 1u) << entry.first;
}

INSTANTIATE_TEST_SUITE_P(Cases, TonelEndToEnd, testing::ValuesIn(TonelCaseNames()), CaseTestName);

}  // namespace
