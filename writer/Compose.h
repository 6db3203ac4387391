// The primitives through which every generator composes text.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

#include "writer/ByteBuffer.h"

// Takes composed or laid-out text piece by piece, in order.
class TextSink {
 public:
  virtual void Take(std::string_view text) = 0;

 protected:
  ~TextSink() = default;
};

// The writes below append to this text until the next call, or until
// StopComposing. The text must outlive the writes.
void ComposeInto(std::string& text);
// As above, into a buffer, and whenever it has grown to a block, it is handed
// to the sink and emptied, so that a long text never stays whole in memory.
// The buffer takes each write in place, which costs less than a string does.
void ComposeInto(ByteBuffer& text, TextSink& sink);
// Hands what the text holds to its sink, if it has one, and empties it.
void DrainComposed();
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
// The text being composed; null when there is none. Written only by the
// functions above.
extern ByteBuffer* Target;
// The size at which the text goes to its sink; never reached without one.
extern std::size_t DrainSize;
[[noreturn]] void RaiseNoTarget();
}  // namespace compose

// Appends the writer's own text, a generated name or text from the diagram, as
// it is: each layout escapes what its format needs. Inline, since the
// generators write many small pieces.
inline void Write(std::string_view text) {
  if (compose::Target == nullptr) compose::RaiseNoTarget();
  compose::Target->Append(text);
  if (compose::Target->Size() >= compose::DrainSize) DrainComposed();
}
// Ends the current line (LF).
inline void EndLine() {
  Write("\n");
}
// Writes the text, then ends the line.
inline void WriteLine(std::string_view text) {
  Write(text);
  EndLine();
}
// Writes diagram text inside a comment, every double quote doubled so that it
// cannot end the comment.
void WriteCommentText(std::string_view text);
