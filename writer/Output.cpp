// The output file of one run: what the layouts hand it, gathered into blocks for its target.
#include "writer/Output.h"

#include <cstring>

#include "model/Error.h"

namespace {

constexpr std::size_t kPendingLimit = 1 << 16;

}  // namespace

OutFile::OutFile(OutputTarget& target)
    : target_(target), pending_(std::make_unique_for_overwrite<char[]>(kPendingLimit)) {}

OutFile::~OutFile() {
  target_.Discard();
}

void OutFile::Create(const std::string& path) {
  pendingSize_ = 0;
  target_.Open(path);
}

void OutFile::Close() {
  if (!target_.IsOpen()) return;
  WritePending();
  target_.Commit();
}

// Hands the pending text to the file.
void OutFile::WritePending() {
  const std::size_t size = pendingSize_;
  pendingSize_ = 0;
  target_.Write(std::string_view(pending_.get(), size));
}

void OutFile::Take(std::string_view text) {
  if (!target_.IsOpen()) throw GenericError("output file is not open");
  if (text.empty()) return;
  if (text.size() > kPendingLimit - pendingSize_) {
    WritePending();
    // A piece as large as the buffer goes to the file as it is.
    if (text.size() >= kPendingLimit) {
      target_.Write(text);
      return;
    }
  }
  std::memcpy(pending_.get() + pendingSize_, text.data(), text.size());
  pendingSize_ += text.size();
}
