// The primitives through which every generator composes text.
#pragma once

#include <string>
#include <string_view>

// The writes below append to this text until the next call, or until
// StopComposing. The text must outlive the writes.
void ComposeInto(std::string& text);
// Forgets the text, so that no write reaches it once it may be gone.
void StopComposing();

// Composes into the text for its lifetime, however the composing ends.
class Composing {
 public:
  explicit Composing(std::string& text) { ComposeInto(text); }
  ~Composing() { StopComposing(); }
  Composing(const Composing&) = delete;
  Composing& operator=(const Composing&) = delete;
};

namespace compose {
// The text being composed; null when there is none. Written only by the two
// functions above.
extern std::string* Target;
[[noreturn]] void RaiseNoTarget();
}  // namespace compose

// Appends the writer's own text, a generated name or text from the diagram, as
// it is: each layout escapes what its format needs. Inline, since the
// generators write many small pieces.
inline void Write(std::string_view text) {
  if (compose::Target == nullptr) compose::RaiseNoTarget();
  compose::Target->append(text.data(), text.size());
}
// Ends the current line (LF).
inline void EndLine() {
  Write("\n");
}
// Writes the text, then ends the line.
void WriteLine(std::string_view text);
// Writes diagram text inside a comment, every double quote doubled so that it
// cannot end the comment.
void WriteCommentText(std::string_view text);
