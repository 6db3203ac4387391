// The files of one run, written under temporary names and put in place all together.
#include "tonel/StagedFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/FileOpen.h"

namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Quoted(const std::string& path) {
  std::string quoted = "\"";
  quoted += WellFormedUtf8(path);
  quoted += '"';
  return quoted;
}

std::string FolderOf(const std::string& path) {
  const std::size_t last = path.find_last_of('/');
  return last == std::string::npos ? "" : path.substr(0, last + 1);
}

}  // namespace

StagedFiles::~StagedFiles() {
  Discard();
}

void StagedFiles::MakeFolder(const std::string& folder) {
  if (folder.empty() || folders_.count(folder) != 0) return;
  // The folders that are not there yet, to be removed again on failure, deepest first.
  std::vector<std::string> missing;
  std::error_code error;
  for (fs::path at = PathOf(folder).parent_path(); !at.empty() && !fs::exists(at, error);
       at = at.parent_path()) {
    const std::u8string name = at.u8string();
    missing.emplace_back(name.begin(), name.end());
    if (at == at.parent_path()) break;
  }
  fs::create_directories(PathOf(folder), error);
  if (error) {
    throw GenericError("cannot create folder " + Quoted(folder) + ": " + error.message());
  }
  madeFolders_.insert(madeFolders_.end(), missing.rbegin(), missing.rend());
  folders_.insert(folder);
}

void StagedFiles::Write(const std::string& path, std::string_view bytes) {
  const std::string folder = FolderOf(path);
  MakeFolder(folder);
  int error = ReplaceRefusal(path);
  std::string temporary;
  std::FILE* file = nullptr;
  if (error == 0) {
    file = CreateUniqueFile(folder + ".plimko-", temporary);
    if (file == nullptr) error = errno;
  }
  if (error != 0) throw GenericError("cannot open " + Quoted(path) + ": " + std::strerror(error));
  staged_.push_back({std::move(temporary), path});
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) error = errno;
  // Closing writes what the stream still holds: its failure is a failed write.
  if (std::fclose(file) != 0 && error == 0) error = errno;
  if (error != 0) {
    throw GenericError("cannot write " + Quoted(path) + ": " + std::strerror(error));
  }
}

void StagedFiles::Commit() {
  for (std::size_t i = 0; i < staged_.size(); ++i) {
    if (!RenameOver(staged_[i].temporary, staged_[i].target)) {
      const int error = errno;
      staged_.erase(staged_.begin(), staged_.begin() + static_cast<long>(i));
      madeFolders_.clear();  // they hold the files renamed so far
      throw GenericError("cannot replace " + Quoted(staged_.front().target) + ": " +
                         std::strerror(error));
    }
  }
  staged_.clear();
  madeFolders_.clear();
  for (const std::string& path : std::exchange(removals_, {})) {
    if (!RemoveFile(path)) {
      throw GenericError("cannot remove " + Quoted(path) + ": " + std::strerror(errno));
    }
  }
}

void StagedFiles::Discard() noexcept {
  for (const Staged& file : staged_) RemoveFile(file.temporary);
  staged_.clear();
  std::error_code error;
  for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
    fs::remove(PathOf(*folder), error);
  madeFolders_.clear();
}
