// The primitives through which every generator composes text.
#include "writer/Compose.h"

#include "model/Error.h"

namespace {

std::string* Target = nullptr;

}  // namespace

void ComposeInto(std::string& text) {
  Target = &text;
}

void StopComposing() {
  Target = nullptr;
}

void Write(std::string_view text) {
  if (Target == nullptr) throw GenericError("no text is being composed");
  Target->append(text);
}

void EndLine() {
  Write("\n");
}

void WriteLine(std::string_view text) {
  Write(text);
  EndLine();
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
