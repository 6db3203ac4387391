// Whether a file holds a text that comes a piece at a time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tonel/InputFile.h"
#include "writer/TextSink.h"

enum class Match { Absent, Same, Differs };

// The file is read alongside the text, a block at a time, so that neither is held whole.
class FileComparer final : public TextSink {
 public:
  // Raises GenericError `cannot open "PATH": REASON` when the file is there but cannot be
  // opened; a file that is not there is Absent.
  explicit FileComparer(const std::string& path);
  // A file opened already, read from where it stands; it must outlive the comparer.
  explicit FileComparer(InputFile& file) : file_(file) {}
  FileComparer(const FileComparer&) = delete;
  FileComparer& operator=(const FileComparer&) = delete;
  ~FileComparer() = default;

  void Take(std::string_view text) override;
  // After the text's last piece. Raises GenericError `cannot read "PATH"`.
  Match End();

 private:
  std::optional<InputFile> own_;
  InputFile& file_;
  std::string block_;
  bool same_ = true;
};
