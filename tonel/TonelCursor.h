// A reading position in the text of a class file, and the errors that name its line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TonelCursor {
 public:
  explicit TonelCursor(std::string_view text) : text_(text) {}

  std::string_view Text() const { return text_; }
  std::size_t Position() const { return at_; }
  void MoveTo(std::size_t at) { at_ = at; }
  bool AtEnd() const { return at_ >= text_.size(); }
  // The character at the position; NUL at the end, which starts no construct.
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
  // Steps over the character when it is the one at the position.
  bool Take(char c);
  void SkipBlanks();

  // Raise GenericError "line N: what", N the line of the position or of byte at.
  [[noreturn]] void Fail(const std::string& what) const { FailAt(at_, what); }
  [[noreturn]] void FailAt(std::size_t at, const std::string& what) const;

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};
