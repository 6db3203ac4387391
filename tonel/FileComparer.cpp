// Whether a file holds a text that comes a piece at a time.
#include "tonel/FileComparer.h"

#include <algorithm>

FileComparer::FileComparer(const std::string& path) : own_(std::in_place, path), file_(*own_) {}

// Once a block differs, the rest is not read.
void FileComparer::Take(std::string_view text) {
  while (same_ && file_.Present() && !text.empty()) {
    block_.resize(std::min<std::size_t>(text.size(), 1 << 16));
    same_ = file_.Read(block_.data(), block_.size()) == block_.size() && text.starts_with(block_);
    text.remove_prefix(block_.size());
  }
}

Match FileComparer::End() {
  if (!file_.Present()) return Match::Absent;
  char after = 0;
  if (same_) same_ = file_.Read(&after, 1) == 0;
  file_.CheckRead();
  return same_ ? Match::Same : Match::Differs;
}
