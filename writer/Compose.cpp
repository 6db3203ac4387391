// The primitives through which every generator composes text.
#include "writer/Compose.h"

#include "model/Error.h"

namespace {

// A block large enough that handing it on costs little per byte, and small
// enough to stay in the processor's cache.
constexpr std::size_t kBlockSize = 1 << 15;
constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

TextSink* Sink = nullptr;

}  // namespace

std::string* compose::Target = nullptr;
std::size_t compose::DrainSize = kNever;

void compose::RaiseNoTarget() {
  throw GenericError("no text is being composed");
}

void ComposeInto(std::string& text) {
  compose::Target = &text;
  compose::DrainSize = kNever;
  Sink = nullptr;
}

void ComposeInto(std::string& text, TextSink& sink) {
  compose::Target = &text;
  compose::DrainSize = kBlockSize;
  Sink = &sink;
}

void DrainComposed() {
  if (Sink == nullptr || compose::Target == nullptr) return;
  Sink->Take(*compose::Target);
  compose::Target->clear();
}

void StopComposing() {
  compose::Target = nullptr;
  compose::DrainSize = kNever;
  Sink = nullptr;
}

void WriteLine(std::string_view text) {
  if (compose::Target == nullptr) compose::RaiseNoTarget();
  compose::Target->append(text.data(), text.size()).push_back('\n');
  if (compose::Target->size() >= compose::DrainSize) DrainComposed();
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
