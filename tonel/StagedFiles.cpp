// The files of one run, written under temporary names and put in place all together.
#include "tonel/StagedFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "model/Error.h"
#include "model/FileOpen.h"
#include "writer/TemporaryFile.h"

namespace {

namespace fs = std::filesystem;

// The path up to its last separator; Windows takes a backslash for one too. The names
// written here (classes, packages, copies) hold no backslash.
std::string FolderOf(const std::string& path) {
  const std::size_t last = path.find_last_of("/\\");
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
    missing.push_back(Utf8Of(at));
    if (at == at.parent_path()) break;
  }
  fs::create_directories(PathOf(folder), error);
  // The folder above the first missing one refused it; where none is missing, something
  // other than a folder is in the way.
  if (error && !missing.empty()) throw GenericError(CannotWriteIn(missing.back(), error.message()));
  if (error) {
    throw GenericError("cannot create folder " + QuotedPath(folder) + ": " + error.message());
  }
  madeFolders_.insert(madeFolders_.end(), missing.rbegin(), missing.rend());
  folders_.insert(folder);
}

void StagedFiles::StageFolder(const std::string& folder) {
  stagedFolders_.push_back({"", folder});
}

// Made beside the folder when the first file goes into it: a folder that gets no file
// is never made. The folder beside it refuses the name, if anything does.
std::string StagedFiles::MakeTemporaryFolder(const std::string& folder) {
  const std::string prefix = folder.substr(0, folder.size() - 1);
  MakeFolder(FolderOf(prefix));
  std::error_code error;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temporary = FolderOf(prefix) + ".plimko-" + std::to_string(attempt) + "/";
    if (fs::create_directory(PathOf(temporary), error)) {
      folders_.insert(temporary);
      return temporary;
    }
    if (error) break;
  }
  throw GenericError(CannotWriteIn(prefix, error ? error.message() : std::strerror(EEXIST)));
}

// Where a path below a staged folder is written; empty for any other path.
std::string StagedFiles::NewFolderPath(const std::string& path) {
  for (Staged& folder : stagedFolders_) {
    if (!path.starts_with(folder.target)) continue;
    if (folder.temporary.empty()) folder.temporary = MakeTemporaryFolder(folder.target);
    return folder.temporary + path.substr(folder.target.size());
  }
  return "";
}

StagedFiles::Out StagedFiles::Open(const std::string& path) {
  std::string temporary = NewFolderPath(path);
  if (!temporary.empty()) {
    // A folder of this run's own: the file's own name is free.
    MakeFolder(FolderOf(temporary));
    std::FILE* file = OpenFile(temporary, "wb");
    if (file == nullptr) {
      throw GenericError("cannot open " + QuotedPath(path) + ": " + std::strerror(errno));
    }
    return Out(file, path, temporary);
  }
  MakeFolder(FolderOf(path));
  std::FILE* file = CreateTemporaryFor(path, temporary);
  staged_.push_back({temporary, path});
  return Out(file, path, temporary);
}

void StagedFiles::Write(const std::string& path, std::string_view bytes) {
  Out out = Open(path);
  out.Take(bytes);
  out.Close();
}

// A file left open by a failure goes with the rest of the staged files.
StagedFiles::Out::~Out() {
  if (file_ != nullptr) std::fclose(file_);
}

void StagedFiles::Out::Take(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size()) return;
  const int error = errno;
  std::fclose(std::exchange(file_, nullptr));
  throw GenericError("cannot write " + QuotedPath(path_) + ": " + std::strerror(error));
}

// Closing writes what the stream still holds: its failure is a failed write.
void StagedFiles::Out::Close() {
  if (std::fclose(std::exchange(file_, nullptr)) == 0) return;
  throw GenericError("cannot write " + QuotedPath(path_) + ": " + std::strerror(errno));
}

void StagedFiles::Commit() {
  std::vector<Staged> all;
  for (const Staged& folder : std::exchange(stagedFolders_, {}))
    if (!folder.temporary.empty()) all.push_back(folder);
  all.insert(all.end(), staged_.begin(), staged_.end());
  staged_.clear();
  auto withoutSlash = [](std::string path) {
    if (path.ends_with('/')) path.pop_back();
    return path;
  };
  for (std::size_t i = 0; i < all.size(); ++i) {
    const std::string target = withoutSlash(all[i].target);
    if (!RenameOver(withoutSlash(all[i].temporary), target)) {
      const int error = errno;
      // What is renamed stays; the rest goes.
      for (std::size_t j = i; j < all.size(); ++j)
        (all[j].temporary.ends_with('/') ? stagedFolders_ : staged_).push_back(all[j]);
      madeFolders_.clear();
      throw GenericError(RenameFailure(target, error));
    }
  }
  madeFolders_.clear();
  for (const std::string& path : std::exchange(removals_, {})) {
    if (!RemoveFile(path)) {
      throw GenericError("cannot remove " + QuotedPath(path) + ": " + std::strerror(errno));
    }
  }
}

void StagedFiles::Discard() noexcept {
  for (const Staged& file : staged_) RemoveFile(file.temporary);
  staged_.clear();
  std::error_code error;
  for (const Staged& folder : stagedFolders_)
    if (!folder.temporary.empty()) fs::remove_all(PathOf(folder.temporary), error);
  stagedFolders_.clear();
  for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
    fs::remove(PathOf(*folder), error);
  madeFolders_.clear();
}
