// The chunk layout: classes as chunks that a Smalltalk image files in.
#pragma once

#include <string>
#include <string_view>

#include "writer/ByteBuffer.h"
#include "writer/ClassLayout.h"
#include "writer/Stamps.h"
#include "writer/TextSink.h"

// Appends composed text: every line end as CR LF, and every "!" doubled so
// that it cannot end a chunk.
void AppendChunkText(std::string& out, std::string_view text);

// Lays out each part of a class as it comes and hands it to the sink in
// blocks: the definition, in the category, the comment, and every method in a
// section of its own, stamped at the class's definition; or the note that
// stands in its place. Flush hands on the rest.
class ChunkLayout final : public ClassLayout {
 public:
  ChunkLayout(TextSink& out, std::string categoryName);
  void Note(std::string_view note) override;
  void Definition(const ClassDefinition& definition) override;
  void BeginComment() override;
  void BeginMethod(bool classSide, const std::string& protocol) override;
  void Take(std::string_view text) override;
  void End() override;
  // Hands the laid-out text to the sink and empties it.
  void Flush();

 private:
  // Flushes once a block has been laid out.
  void FlushBlock();

  TextSink& out_;
  // The class category of every class.
  const std::string CategoryName;
  Stamps stamps_;
  std::string className_;
  // The protocol header of the current class's methods, before and after the
  // protocol, made once per class: on the instance side, on the class side,
  // and the stamp that ends either.
  std::string instanceHeader_;
  std::string classHeader_;
  std::string headerEnd_;
  // Inside the comment, a string literal, quotes are doubled too.
  bool inComment_ = false;
  ByteBuffer laidOut_;
};
