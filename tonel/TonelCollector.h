// A class's composed parts gathered into one class of a Tonel package as they come.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tonel/ClassSink.h"
#include "tonel/TonelClass.h"
#include "writer/ClassLayout.h"

// The definition and comment replace those the class had; each method is added, or
// replaces the one of the same side and selector, as a later definition replaces an
// earlier one in the image. So a drawing that repeats a member, or a class drawn twice,
// never holds more than one text per method. A carriage return that the diagram's text
// brought in (&#13;) is a line end to Pharo, and a class file has LF alone.
class TonelCollector final : public ClassLayout {
 public:
  // cls may hold an earlier drawing of the class already; the notes of a class that gives
  // no code go to notes. With files, the comment goes where they say.
  TonelCollector(TonelClass& cls, std::vector<std::string>& notes, const std::string& package,
                 ClassSink* files = nullptr);

  void Note(std::string_view note) override;
  void Definition(const ClassDefinition& definition) override;
  void BeginComment() override;
  void BeginMethod(bool classSide, const std::string& protocol) override;
  void Take(std::string_view text) override;
  void End() override;

  bool Declared() const { return declared_; }

 private:
  enum class Part { None, Comment, Method };

  TonelClass& cls_;
  std::vector<std::string>& notes_;
  const std::string& package_;
  ClassSink* files_;
  TextSink* commentTo_ = nullptr;
  bool declared_ = false;
  Part in_ = Part::None;
  bool afterCr_ = false;  // the last piece ended with a carriage return
  std::string lf_;        // a piece with its line ends made LF
  bool classSide_ = false;
  std::string protocol_;
  // Where each method of a side stands in cls_.methods, by selector.
  std::unordered_map<std::string, std::size_t> places_[2];
};

// Adds each line of the text to the lines.
void AddLines(std::vector<std::string>& lines, std::string_view text);
