// The one shape of every receiver of text that comes a piece at a time.
#pragma once

#include <string>
#include <string_view>

// Takes composed or laid-out text piece by piece, in order.
class TextSink {
 public:
  virtual void Take(std::string_view text) = 0;

 protected:
  ~TextSink() = default;
};

// Appends every piece to the string it points to, which must outlive the pieces.
class AppendingToString final : public TextSink {
 public:
  explicit AppendingToString(std::string* target = nullptr) : target(target) {}
  void Take(std::string_view text) override { target->append(text); }
  std::string* target;
};
