// Where the class files of a Tonel source directory are.
#include "tonel/ClassFileIndex.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "model/FileOpen.h"

namespace {

namespace fs = std::filesystem;

// An empty directory is the current one.
fs::path DirectoryPathOf(const std::string& utf8) {
  return utf8.empty() ? fs::path(".") : PathOf(utf8);
}

std::string Utf8Name(const fs::path& path) {
  return Utf8Of(path.filename());
}

// Calls found with each class name of the folder's class files. A folder that cannot be
// listed holds no class for this purpose; reading a file in it will say why.
template <typename Found>
void ForEachClassFile(const fs::path& folder, Found found) {
  const std::string_view suffix = kClassFileSuffix;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = Utf8Name(entry->path());
    if (name.size() > suffix.size() && name.ends_with(suffix))
      found(name.substr(0, name.size() - suffix.size()));
  }
}

}  // namespace

ClassFileIndex::ClassFileIndex(const std::string& dir) {
  const fs::path root = DirectoryPathOf(dir);
  std::error_code error;
  for (fs::directory_iterator entry(root, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code kind;
    const std::string name = Utf8Name(entry->path());
    if (!name.starts_with('.') && entry->is_directory(kind)) packages_.push_back(name);
  }
  std::sort(packages_.begin(), packages_.end());
  for (std::uint32_t i = 0; i < packages_.size(); ++i) {
    const std::string& package = packages_[i];
    ForEachClassFile(root / PathOf(package),
                     [&](std::string className) { files_.emplace_back(std::move(className), i); });
  }
  std::sort(files_.begin(), files_.end());
}

std::vector<std::string> ClassFileIndex::FoldersOf(const std::string& className) const {
  std::vector<std::string> folders;
  auto at = std::lower_bound(files_.begin(), files_.end(), std::make_pair(className, 0u));
  for (; at != files_.end() && at->first == className; ++at)
    folders.push_back(packages_[at->second]);
  return folders;
}

std::vector<std::string> ClassFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  ForEachClassFile(DirectoryPathOf(folder),
                   [&](std::string name) { names.push_back(std::move(name)); });
  std::sort(names.begin(), names.end());
  return names;
}
