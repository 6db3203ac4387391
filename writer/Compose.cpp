// The primitives through which every generator composes text.
#include "writer/Compose.h"

#include "model/Error.h"

std::string* compose::Target = nullptr;

void compose::RaiseNoTarget() {
  throw GenericError("no text is being composed");
}

void ComposeInto(std::string& text) {
  compose::Target = &text;
}

void StopComposing() {
  compose::Target = nullptr;
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
