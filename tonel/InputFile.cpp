// A file opened once to be read: a block at a time, or whole.
#include "tonel/InputFile.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "model/Error.h"
#include "model/FileOpen.h"
#include "writer/TemporaryFile.h"

InputFile::InputFile(const std::string& path) : path_(path), file_(OpenFileToRead(path)) {
  if (file_ == nullptr && errno != ENOENT) {
    const int error = errno;
    throw GenericError("cannot open " + QuotedPath(path) + ": " + std::strerror(error));
  }
}

InputFile::InputFile(InputFile&& other) noexcept
    : path_(std::move(other.path_)), file_(std::exchange(other.file_, nullptr)) {}

InputFile::~InputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

std::optional<std::uintmax_t> InputFile::Size() const {
  if (file_ == nullptr) return std::nullopt;
  return SizeOf(file_);
}

std::size_t InputFile::Read(char* to, std::size_t size) {
  return file_ == nullptr ? 0 : std::fread(to, 1, size, file_);
}

void InputFile::CheckRead() const {
  if (file_ != nullptr && std::ferror(file_) != 0) {
    throw GenericError("cannot read " + QuotedPath(path_));
  }
}

std::optional<std::string> InputFile::Whole() {
  if (file_ == nullptr) return std::nullopt;
  std::string text;
  std::size_t got = 0;
  if (const std::optional<std::uintmax_t> size = Size())
    text.resize(static_cast<std::size_t>(*size));
  std::rewind(file_);
  // The file may have grown since; what is past its size comes in blocks.
  do {
    if (got == text.size()) text.resize(got + (1 << 16));
    got += std::fread(text.data() + got, 1, text.size() - got, file_);
  } while (got == text.size() && !std::feof(file_) && !std::ferror(file_));
  text.resize(got);
  CheckRead();
  return text;
}
