// A file written under a temporary name beside its target and renamed over it at the end.
#include "writer/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "model/Error.h"
#include "model/FileOpen.h"
#include "writer/TemporaryFile.h"

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
  if (this != &other) {
    Discard();
    file_ = std::exchange(other.file_, nullptr);
    target_ = std::move(other.target_);
    temporary_ = std::exchange(other.temporary_, {});
  }
  return *this;
}

AtomicFile::~AtomicFile() {
  Discard();
}

void AtomicFile::Open(const std::string& path) {
  Discard();
  file_ = CreateTemporaryFor(path, temporary_);
  target_ = path;
}

void AtomicFile::Write(std::string_view bytes) {
  if (file_ == nullptr) throw GenericError("output file is not open");
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail(std::strerror(errno));
}

void AtomicFile::Commit() {
  if (file_ == nullptr) return;
  // Closing writes what the stream still holds: its failure is a failed write.
  if (std::fclose(std::exchange(file_, nullptr)) != 0) Fail(std::strerror(errno));
  if (!RenameOver(temporary_, target_)) Fail(RenameFailure(target_, errno));
  temporary_.clear();
  target_.clear();
}

void AtomicFile::Discard() noexcept {
  if (file_ != nullptr) std::fclose(std::exchange(file_, nullptr));
  if (!temporary_.empty()) RemoveFile(temporary_);
  temporary_.clear();
  target_.clear();
}

void AtomicFile::Fail(const std::string& message) {
  Discard();
  throw GenericError(message);
}

void WriteFileAtomically(const std::string& path, std::string_view text) {
  AtomicFile file;
  file.Open(path);
  file.Write(text);
  file.Commit();
}
