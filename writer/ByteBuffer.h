// A block of bytes that grows at its end and is written in place.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

// Cheaper than a string for many small appends: room made for bytes to come
// is neither zeroed nor counted until they are written, so a writer may ask
// for the most it could write and keep what it wrote.
class ByteBuffer {
 public:
  ByteBuffer() = default;
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  std::size_t Size() const { return size_; }
  std::string_view View() const { return {data_.get(), size_}; }
  void Clear() { size_ = 0; }

  // Room for at least `count` more bytes: where they go, to be kept by Commit.
  char* Room(std::size_t count) {
    if (capacity_ - size_ < count) Grow(count);
    return data_.get() + size_;
  }
  // Keeps the bytes written into the room up to `end`.
  void Commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }

  void Append(std::string_view text) {
    char* to = Room(text.size());
    if (!text.empty()) std::memcpy(to, text.data(), text.size());
    size_ += text.size();
  }

 private:
  void Grow(std::size_t count) {
    std::size_t capacity = capacity_ < 4096 ? 4096 : capacity_;
    while (capacity - size_ < count) capacity *= 2;
    std::unique_ptr<char[]> data = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ != 0) std::memcpy(data.get(), data_.get(), size_);
    data_ = std::move(data);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};
