// Temporary files and directories for tests.
#include "support/TempFile.h"

#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

// All temporary files of one test program live below one root, removed at exit.
class TempRoot {
 public:
  TempRoot() {
    std::string pattern = (fs::temp_directory_path() / "plimko-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempRoot() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string NewDir() {
    fs::path dir = path_ / std::to_string(++count_);
    fs::create_directories(dir);
    return dir.string();
  }

 private:
  fs::path path_;
  int count_ = 0;
};

TempRoot& Root() {
  static TempRoot root;
  return root;
}

}  // namespace

std::string MakeTempDir() {
  return Root().NewDir();
}

std::string WriteTempFile(const std::string& content, const std::string& name) {
  std::string path = MakeTempDir() + "/" + name;
  std::ofstream file(path, std::ios::binary);
  file << content;
  if (!file) throw std::runtime_error("cannot write " + path);
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
