// The files of one run, written under temporary names and put in place all together.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "writer/TextSink.h"

// Each file is written whole under a temporary name as soon as it is given, so that no
// run holds a whole package in memory. Commit renames them all into place, then removes
// what is to go. Before Commit (a failure, an exception unwinding past it) every
// temporary file goes again, and so does every folder made for them: the files are left
// as they were.
class StagedFiles {
 public:
  StagedFiles() = default;
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;
  ~StagedFiles();

  // A folder that is not there yet (its path ends with "/") is made under a temporary
  // name beside it once a file is opened in it: the files written into it go there
  // under their own names, and Commit renames the whole folder into place, one rename
  // for a new package. A folder that no file goes into is never made.
  void StageFolder(const std::string& folder);
  // A file being written, a piece at a time; Close ends it. Take and Close raise
  // GenericError `cannot write "PATH": REASON` when writing fails.
  class Out final : public TextSink {
   public:
    Out(std::FILE* file, const std::string& path, const std::string& temporary)
        : file_(file), path_(path), temporary_(temporary) {}
    Out(Out&& other) noexcept
        : file_(std::exchange(other.file_, nullptr)),
          path_(std::move(other.path_)),
          temporary_(std::move(other.temporary_)) {}
    Out(const Out&) = delete;
    Out& operator=(const Out&) = delete;
    ~Out();

    void Take(std::string_view bytes) override;
    void Close();
    // Where the file is until Commit, to be read back once it is closed.
    const std::string& Temporary() const { return temporary_; }

   private:
    std::FILE* file_;
    std::string path_;
    std::string temporary_;
  };

  // Raises GenericError `cannot open "PATH": REASON` when no file can take the path's
  // place, and `cannot write in "FOLDER": REASON` when the folder takes no new file.
  Out Open(const std::string& path);
  // Open, Put and Close at once.
  void Write(const std::string& path, std::string_view bytes);
  // The file goes after every write is in place.
  void Remove(const std::string& path) { removals_.push_back(path); }
  // Raises GenericError `cannot replace "PATH": REASON`, `cannot write in "FOLDER":
  // REASON` or `cannot remove "PATH": REASON`.
  void Commit();

 private:
  void MakeFolder(const std::string& folder);
  std::string MakeTemporaryFolder(const std::string& folder);
  std::string NewFolderPath(const std::string& path);
  void Discard() noexcept;

  // A file, or a staged folder, under its temporary name (none yet for a folder that
  // no file went into) and its target.
  struct Staged {
    std::string temporary;
    std::string target;
  };
  std::vector<Staged> staged_;
  std::vector<Staged> stagedFolders_;
  std::vector<std::string> removals_;
  std::unordered_set<std::string> folders_;  // known to be there
  std::vector<std::string> madeFolders_;     // in the order made
};
