// Whether a file holds a text that comes a piece at a time.
#include "tonel/FileComparer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/FileOpen.h"

FileComparer::FileComparer(const std::string& path) : path_(path), file_(OpenFileToRead(path)) {
  if (file_ == nullptr && errno != ENOENT) {
    throw GenericError("cannot open \"" + WellFormedUtf8(path) + "\": " + std::strerror(errno));
  }
}

FileComparer::~FileComparer() {
  if (file_ != nullptr) std::fclose(file_);
}

// Once a block differs, the rest is not read.
void FileComparer::Take(std::string_view text) {
  while (same_ && file_ != nullptr && !text.empty()) {
    block_.resize(std::min<std::size_t>(text.size(), 1 << 16));
    same_ = std::fread(block_.data(), 1, block_.size(), file_) == block_.size() &&
            text.starts_with(block_);
    text.remove_prefix(block_.size());
  }
}

Match FileComparer::End() {
  if (file_ == nullptr) return Match::Absent;
  if (same_) same_ = std::fgetc(file_) == EOF;
  const bool failed = std::ferror(file_) != 0;
  std::fclose(std::exchange(file_, nullptr));
  if (failed) throw GenericError("cannot read \"" + WellFormedUtf8(path_) + "\"");
  return same_ ? Match::Same : Match::Differs;
}
