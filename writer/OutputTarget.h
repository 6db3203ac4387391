// Where a written file's bytes go: a file that appears whole, or any other
// holder of bytes that promises the same.
#pragma once

#include <string>
#include <string_view>

// Open starts the file for a path, Write appends, Commit makes it appear
// whole and Discard drops it; see AtomicFile for what each raises.
class OutputTarget {
 public:
  virtual ~OutputTarget() = default;
  virtual void Open(const std::string& path) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Write(std::string_view bytes) = 0;
  virtual void Commit() = 0;
  virtual void Discard() noexcept = 0;
};
