// A class's composed parts gathered into one class of a Tonel package as they come.
#include "tonel/TonelCollector.h"

#include <optional>
#include <utility>

#include "tonel/LineEnds.h"
#include "tonel/Pattern.h"

void AddLines(std::vector<std::string>& lines, std::string_view text) {
  for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  if (!text.empty()) lines.emplace_back(text);
}

TonelCollector::TonelCollector(TonelClass& cls, std::vector<std::string>& notes,
                               const std::string& package, ClassSink* files)
    : cls_(cls), notes_(notes), package_(package), files_(files) {
  for (std::size_t i = 0; i < cls_.methods.size(); ++i)
    places_[cls_.methods[i].classSide].emplace(std::string(cls_.methods[i].selector), i);
}

void TonelCollector::Note(std::string_view note) {
  AddLines(notes_, note);
}

void TonelCollector::Definition(const ClassDefinition& definition) {
  declared_ = true;
  cls_.name = definition.name;
  cls_.superclass = definition.superclass;
  cls_.instVars = definition.instanceVariables;
  cls_.classVars = definition.classVariables;
  cls_.classInstVars = definition.classInstanceVariables;
  cls_.comment.clear();
  cls_.category = package_;
  cls_.package = package_;
}

void TonelCollector::BeginComment() {
  in_ = Part::Comment;
  afterCr_ = false;
  cls_.comment.clear();
  commentTo_ = files_ != nullptr ? files_->CommentOf(cls_.name) : nullptr;
}

void TonelCollector::BeginMethod(bool classSide, const std::string& protocol) {
  in_ = Part::Method;
  afterCr_ = false;
  classSide_ = classSide;
  protocol_ = protocol;
}

// The text goes where it stays, not through a buffer of its own: a comment or a method
// may be megabytes. A CR LF may come split between two pieces.
void TonelCollector::Take(std::string_view text) {
  if (text.empty()) return;
  if (afterCr_ && text.front() == '\n') text.remove_prefix(1);
  afterCr_ = text.ends_with('\r');
  if (text.find('\r') != std::string_view::npos) {
    lf_.assign(text);
    ToLfLineEnds(lf_);
    text = lf_;
  }
  if (in_ == Part::Comment) {
    if (commentTo_ != nullptr) {
      commentTo_->Take(text);
    } else {
      cls_.comment.append(text);
    }
  }
  if (in_ == Part::Method) cls_.methods.AppendToDraft(text);
}

void TonelCollector::End() {
  if (in_ == Part::Method) {
    TonelMethods& methods = cls_.methods;
    if (std::optional<std::string> moved = TonelMethodSource(methods.Draft()))
      methods.RewriteDraft(*moved);
    std::string selector = SplitPattern(methods.Draft()).selector;
    auto [place, added] = places_[classSide_].try_emplace(selector, methods.size());
    if (added) {
      methods.AddDraft(classSide_, protocol_, selector);
    } else {
      methods.ReplaceWithDraft(place->second, protocol_, selector);
    }
  }
  in_ = Part::None;
}
