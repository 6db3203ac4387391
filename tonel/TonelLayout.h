// The Tonel layout: a class file's text as Pharo's Tonel writer lays it out.
#pragma once

#include <string>
#include <string_view>

#include "tonel/TonelClass.h"
#include "writer/TextSink.h"

// A STON string: in single quotes, with "\" and "'" escaped by a backslash, and a
// carriage return as "\r".
std::string StonString(std::string_view text);
// The class comment as the file opens with it: the text between two lines
// holding a double quote, every double quote in it doubled; nothing when empty.
std::string TonelComment(std::string_view comment);
// Pharo writes the class side first, each side sorted by selector, so a commit from
// Pharo changes nothing.
bool WrittenBefore(const TonelMethod& a, const TonelMethod& b);
// The metadata before a method, its protocol spelled as given, and the line end after it.
std::string MethodMetadata(std::string_view category);
// One method from its owner ("Person >>") to the "]" that closes it, without the metadata.
void LayOutMethod(const std::string& className, const TonelMethod& method, TextSink& sink);
// The whole file, handed to the sink in pieces of at most a few kilobytes but for a
// longer text of the class's own: the comment, the definition, then the methods, class
// side first, each side sorted by selector.
void LayOutClass(const TonelClass& cls, TextSink& sink);
// The same but for the comment, which the file starts with.
void LayOutAfterComment(const TonelClass& cls, TextSink& sink);

// The comment as the file starts with it, laid out a piece at a time as it comes, so that
// a comment of megabytes need not be held: the sink takes blocks of a few kilobytes.
class CommentLayout {
 public:
  explicit CommentLayout(TextSink& sink) : sink_(sink) {}
  void Take(std::string_view text);
  // After the comment's last piece.
  void End();

 private:
  void Flush();

  TextSink& sink_;
  std::string block_;
  bool started_ = false;
};
// The same, held whole.
std::string TonelClassText(const TonelClass& cls);
