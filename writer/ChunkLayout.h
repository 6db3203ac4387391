// The chunk layout: class texts as chunks that a Smalltalk image files in.
#pragma once

#include <string>
#include <string_view>

#include "writer/ClassText.h"

// Appends composed text: every line end as CR LF, and every "!" doubled so
// that it cannot end a chunk.
void AppendChunkText(std::string& out, std::string_view text);
// Appends the method in a section of its own, stamped with the current stamp.
void AppendChunkMethod(std::string& out, const std::string& className, const MethodText& method);
// Appends the class: its definition, its comment and every method in a
// section of its own, stamped now; or the note that stands in its place.
void AppendChunkClass(std::string& out, const ClassText& text);
