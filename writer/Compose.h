// The primitives through which every generator composes text.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

#include "writer/ByteBuffer.h"
#include "writer/Naming.h"
#include "writer/TextSink.h"

// The text one writer is composing, and the class names it made last: every
// generator writes through the composer it is given.
class Composer {
 public:
  Composer() = default;
  Composer(const Composer&) = delete;
  Composer& operator=(const Composer&) = delete;

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

  // Appends the writer's own text, a generated name or text from the diagram, as
  // it is: each layout escapes what its format needs. Inline, since the
  // generators write many small pieces.
  void Write(std::string_view text) {
    if (target_ == nullptr) RaiseNoTarget();
    target_->Append(text);
    if (target_->Size() >= drainSize_) DrainComposed();
  }
  // Ends the current line (LF).
  void EndLine() { Write("\n"); }
  // Writes the text, then ends the line.
  void WriteLine(std::string_view text) {
    Write(text);
    EndLine();
  }
  // Writes diagram text inside a comment, every double quote doubled so that it
  // cannot end the comment.
  void WriteCommentText(std::string_view text);

  // The class names made last, for the names the generators write.
  MadeNames& Names() { return names_; }

 private:
  [[noreturn]] static void RaiseNoTarget();

  static constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();
  ByteBuffer* target_ = nullptr;
  // The size at which the text goes to its sink; never reached without one.
  std::size_t drainSize_ = kNever;
  TextSink* sink_ = nullptr;
  // A string composed into gets each write at once, through this buffer.
  ByteBuffer stringBuffer_;
  AppendingToString stringSink_;
  MadeNames names_;
};
