// Where the classes of a package go as they are composed, one at a time.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "tonel/TonelClass.h"
#include "writer/TextSink.h"

class ClassSink {
 public:
  // Where the comment of the class goes while it is composed, a piece at a time (LF line
  // ends, nothing escaped), so that it need not be held; null keeps it in the class.
  virtual TextSink* CommentOf(const std::string& className) = 0;
  // The class, composed. When its comment went to CommentOf's sink, the class's comment
  // is empty, and whole composes the class again, comment and all.
  virtual void Take(const TonelClass& cls, const std::function<TonelClass()>& whole) = 0;

 protected:
  ~ClassSink() = default;
};
