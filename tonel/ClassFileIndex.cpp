// Where the class files of a Tonel source directory are.
#include "tonel/ClassFileIndex.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace {

namespace fs = std::filesystem;

std::string Utf8Name(const fs::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace

// A folder that cannot be listed holds no class for this purpose; reading a file in it
// will say why.
ClassFileIndex::ClassFileIndex(const std::string& dir) {
  const std::string_view suffix = kClassFileSuffix;
  std::vector<std::string> packages;
  std::error_code error;
  // An empty directory is the current one.
  const fs::path root =
      dir.empty() ? fs::path(".") : fs::path(std::u8string(dir.begin(), dir.end()));
  for (fs::directory_iterator entry(root, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code kind;
    const std::string name = Utf8Name(entry->path());
    if (!name.starts_with('.') && entry->is_directory(kind)) packages.push_back(name);
  }
  std::sort(packages.begin(), packages.end());
  for (const std::string& package : packages) {
    std::error_code listing;
    for (fs::directory_iterator
             entry(root / fs::path(std::u8string(package.begin(), package.end())), listing),
         end;
         !listing && entry != end; entry.increment(listing)) {
      const std::string name = Utf8Name(entry->path());
      if (name.size() > suffix.size() && name.ends_with(suffix))
        folders_[name.substr(0, name.size() - suffix.size())].push_back(package);
    }
  }
}

const std::vector<std::string>& ClassFileIndex::FoldersOf(const std::string& className) const {
  static const std::vector<std::string> kNone;
  const auto found = folders_.find(className);
  return found == folders_.end() ? kNone : found->second;
}
