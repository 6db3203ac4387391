// The primitives through which every generator composes text.
#pragma once

#include <string>
#include <string_view>

// The writes below append to this text until the next call, or until
// StopComposing. The text must outlive the writes.
void ComposeInto(std::string& text);
// Forgets the text, so that no write reaches it once it may be gone.
void StopComposing();

// Appends the writer's own text, a generated name or text from the diagram, as
// it is: each layout escapes what its format needs.
void Write(std::string_view text);
// Ends the current line (LF).
void EndLine();
// Writes the text, then ends the line.
void WriteLine(std::string_view text);
// Writes diagram text inside a comment, every double quote doubled so that it
// cannot end the comment.
void WriteCommentText(std::string_view text);
