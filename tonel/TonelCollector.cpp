// A class's composed parts gathered into one class of a Tonel package as they come.
#include "tonel/TonelCollector.h"

#include <utility>

#include "tonel/Lexis.h"
#include "tonel/Pattern.h"

void AddLines(std::vector<std::string>& lines, std::string_view text) {
  for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  if (!text.empty()) lines.emplace_back(text);
}

TonelCollector::TonelCollector(TonelClass& cls, std::vector<std::string>& notes,
                               const std::string& package)
    : cls_(cls), notes_(notes), package_(package) {
  for (std::size_t i = 0; i < cls_.methods.size(); ++i)
    places_[cls_.methods[i].classSide].emplace(cls_.methods[i].selector, i);
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
  part_.clear();
}

void TonelCollector::BeginMethod(bool classSide, const std::string& protocol) {
  in_ = Part::Method;
  part_.clear();
  classSide_ = classSide;
  protocol_ = protocol;
}

void TonelCollector::End() {
  // The part's text is handed on, not copied: a comment or a method may be megabytes.
  ToLfLineEnds(part_);
  if (in_ == Part::Comment) cls_.comment = std::move(part_);
  if (in_ == Part::Method) {
    std::string source = TonelMethodSource(std::move(part_));
    std::string selector = SplitPattern(source).selector;
    auto [place, added] = places_[classSide_].try_emplace(selector, cls_.methods.size());
    TonelMethod method{classSide_, protocol_, std::move(selector), std::move(source)};
    if (added) {
      cls_.methods.push_back(std::move(method));
    } else {
      cls_.methods[place->second] = std::move(method);
    }
  }
  in_ = Part::None;
  part_.clear();
}
