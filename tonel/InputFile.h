// A file opened once to be read: a block at a time, or whole.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

class InputFile {
 public:
  // Raises GenericError `cannot open "PATH": REASON` when the file is there but cannot be
  // opened, rather than take it for absent and write over it; a file that is not there is
  // absent.
  explicit InputFile(const std::string& path);
  InputFile(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  InputFile& operator=(InputFile&&) = delete;
  ~InputFile();

  bool Present() const { return file_ != nullptr; }
  // Its size as the system tells it; none when it is absent or the system cannot tell.
  std::optional<std::uintmax_t> Size() const;
  // Up to size bytes from where the last read ended; fewer only at the file's end.
  std::size_t Read(char* to, std::size_t size);
  // Raises GenericError `cannot read "PATH"` when a read failed.
  void CheckRead() const;
  // The file's bytes from its start, whatever was read of them before; none when the
  // file is absent. Raises GenericError `cannot read "PATH"`.
  std::optional<std::string> Whole();

 private:
  std::string path_;
  std::FILE* file_;
};
