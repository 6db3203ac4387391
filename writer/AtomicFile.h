// A file that appears whole or not at all, and leaves an older one untouched until then.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "writer/OutputTarget.h"

// The bytes go to a temporary file in the target's folder, named ".plimko-" and a
// number of its own; Commit puts it in place of the target once the last byte is
// written and the file closed. A failure, Discard, or destruction before Commit
// removes the temporary file, and a file already at the target stays as it was.
// A writer of several files opens and writes them all, then commits each.
class AtomicFile final : public OutputTarget {
 public:
  AtomicFile() = default;
  AtomicFile(AtomicFile&& other) noexcept;
  AtomicFile& operator=(AtomicFile&& other) noexcept;
  ~AtomicFile() override;

  // Starts the file for the target path, discarding one begun before. Raises
  // GenericError `cannot open "PATH": REASON`, REASON as strerror words it, when the
  // target is a directory or a file that may not be written, and `cannot write in
  // "FOLDER": REASON` when no file can be created in its folder (a missing folder: "No
  // such file or directory").
  void Open(const std::string& path) override;
  bool IsOpen() const override { return file_ != nullptr; }
  // Appends the bytes; raises GenericError with the system's text when that fails,
  // after which the file is discarded, and "output file is not open" without a file.
  void Write(std::string_view bytes) override;
  // Flushes and closes the file and puts it in place of the target. Raises
  // GenericError with the system's text when writing or closing fails, `cannot
  // replace "PATH": REASON` when the target cannot be replaced, and `cannot write in
  // "FOLDER": REASON` when there was no target and the folder refused the new name;
  // either way the file is discarded. Nothing when no file is open.
  void Commit() override;
  // Closes and removes the temporary file. Nothing when no file is open.
  void Discard() noexcept override;

 private:
  // Discards the file and raises GenericError with the message.
  [[noreturn]] void Fail(const std::string& message);

  std::FILE* file_ = nullptr;
  std::string target_;
  std::string temporary_;
};

// Writes the text to the path as one AtomicFile.
void WriteFileAtomically(const std::string& path, std::string_view text);
