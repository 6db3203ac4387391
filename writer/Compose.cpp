// The primitives through which every generator composes text.
#include "writer/Compose.h"

#include "model/Error.h"

namespace {

// A block large enough that handing it on costs little per byte, and small
// enough to stay in the processor's cache.
constexpr std::size_t kBlockSize = 1 << 15;

}  // namespace

void Composer::RaiseNoTarget() {
  throw GenericError("no text is being composed");
}

void Composer::ComposeInto(std::string& text) {
  stringBuffer_.Clear();
  stringSink_.target = &text;
  target_ = &stringBuffer_;
  drainSize_ = 0;
  sink_ = &stringSink_;
}

void Composer::ComposeInto(ByteBuffer& text, TextSink& sink) {
  target_ = &text;
  drainSize_ = kBlockSize;
  sink_ = &sink;
}

void Composer::DrainComposed() {
  if (sink_ == nullptr || target_ == nullptr) return;
  sink_->Take(target_->View());
  target_->Clear();
}

void Composer::StopComposing() {
  target_ = nullptr;
  drainSize_ = kNever;
  sink_ = nullptr;
}

void Composer::WriteCommentText(std::string_view text) {
  for (std::size_t quote = text.find('"'); quote != std::string_view::npos;
       quote = text.find('"')) {
    Write(text.substr(0, quote + 1));
    Write("\"");
    text.remove_prefix(quote + 1);
  }
  Write(text);
}
