// The primitives through which every generator composes text.
#include "writer/Compose.h"

#include "model/Error.h"

namespace {

// A block large enough that handing it on costs little per byte, and small
// enough to stay in the processor's cache.
constexpr std::size_t kBlockSize = 1 << 15;
constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

TextSink* Sink = nullptr;

// A string composed into gets each write at once, through this buffer.
class AppendingToString final : public TextSink {
 public:
  void Take(std::string_view text) override { target->append(text); }
  std::string* target = nullptr;
};
ByteBuffer StringBuffer;
AppendingToString StringSink;

}  // namespace

ByteBuffer* compose::Target = nullptr;
std::size_t compose::DrainSize = kNever;

void compose::RaiseNoTarget() {
  throw GenericError("no text is being composed");
}

void ComposeInto(std::string& text) {
  StringBuffer.Clear();
  StringSink.target = &text;
  compose::Target = &StringBuffer;
  compose::DrainSize = 0;
  Sink = &StringSink;
}

void ComposeInto(ByteBuffer& text, TextSink& sink) {
  compose::Target = &text;
  compose::DrainSize = kBlockSize;
  Sink = &sink;
}

void DrainComposed() {
  if (Sink == nullptr || compose::Target == nullptr) return;
  Sink->Take(compose::Target->View());
  compose::Target->Clear();
}

void StopComposing() {
  compose::Target = nullptr;
  compose::DrainSize = kNever;
  Sink = nullptr;
}

void WriteCommentText(std::string_view text) {
  for (std::size_t quote = text.find('"'); quote != std::string_view::npos;
       quote = text.find('"')) {
    Write(text.substr(0, quote + 1));
    Write("\"");
    text.remove_prefix(quote + 1);
  }
  Write(text);
}
