// The three-way merge of an initialize method or a class comment, keyed by variable.
#include "tonel/KeyedMerge.h"

#include <optional>
#include <unordered_map>
#include <utility>

#include "reader/scanner.h"
#include "tonel/Lexis.h"
#include "tonel/LineMerge.h"
#include "tonel/Tokens.h"

namespace {

constexpr std::size_t kNone = std::string_view::npos;

using From = MergedLine::From;

// The index of the text's run of the key; npos when it has none.
std::size_t Find(const KeyedLines& text, const RunKey& key) {
  const auto found = text.byKey.find(key);
  return found == text.byKey.end() ? kNone : found->second;
}

// The bytes of the run's lines.
std::string_view RunText(const KeyedLines& text, std::size_t run) {
  const std::string_view first = text.lines[text.runs[run].first];
  const std::string_view last = text.lines[text.runs[run].last];
  return {first.data(), static_cast<std::size_t>(last.data() + last.size() - first.data())};
}

bool Same(const KeyedLines& a, std::size_t runA, const KeyedLines& b, std::size_t runB) {
  return SameTokens(RunText(a, runA), RunText(b, runB));
}

// The indentation of a method's first line of code after its pattern; none when it has none.
std::optional<std::string_view> CodeIndentation(const KeyedLines& method) {
  for (std::size_t i = 1; i < method.lines.size(); ++i) {
    const std::string_view indent = Indentation(method.lines[i]);
    if (!method.inLiteral[i] && indent.size() < method.lines[i].size()) return indent;
  }
  return std::nullopt;
}

// What becomes of a run of the user's text.
enum class Fate {
  Keep,      // its bytes stay
  TakeNext,  // the diagram's run stands in its place
  Drop,      // it goes with the diagram's variable
  Conflict,  // its bytes stay, and the diagram's run (or its removal) follows, not applied
};

struct Decision {
  Fate fate = Fate::Keep;
  std::size_t next = kNone;  // the diagram's run of the same key
  bool reindented = false;   // TakeNext: at the indentation of the user's run
};

class Merger {
 public:
  Merger(std::string_view base, std::string_view current, std::string_view next, TextKind kind)
      : kind_(kind),
        base_(SplitKeyed(base, kind)),
        current_(SplitKeyed(current, kind)),
        next_(SplitKeyed(next, kind)),
        free_(MergeLines(base_.free, current_.free, next_.free)) {
    if (kind == TextKind::Method) {
      indent_ = CodeIndentation(current_);
      if (!indent_) indent_ = CodeIndentation(next_);
    }
  }

  KeyedMerge Merge() &&;

 private:
  Decision Decide(std::size_t run) const;
  bool Inserts(std::size_t nextRun) const;
  void Place();
  std::size_t GapOf(const KeyedLines& text, const std::vector<std::size_t>& after,
                    std::size_t run) const;

  void EmitCurrentRun(std::size_t run);
  void EmitChain(std::size_t nextRun);
  void EmitMerged(const MergedLine& line);
  void EmitRun(const KeyedLines& text, std::size_t run, std::optional<std::string_view> indent);
  void EmitLine(std::string_view bytes, const KeyedLines& facts, std::size_t line,
                std::optional<std::string_view> indent);
  void EmitNotApplied(std::string_view what, std::string_view indent);
  std::string_view FreeIndent() const { return indent_.value_or(std::string_view()); }

  const TextKind kind_;
  const KeyedLines base_, current_, next_;
  const MergedLines free_;
  std::optional<std::string_view> indent_;  // of the user's code, for what a method gains
  std::vector<Decision> decisions_;         // per run of the user's
  // The diagram's run that comes right after a run, of the user's or the diagram's; the
  // diagram's runs that go where its text puts them, in its order.
  std::vector<std::size_t> followCurrent_, followNext_, atGap_;
  KeyedMerge result_;
  bool started_ = false;
  std::size_t pending_ = kNone;  // where a last statement without a period ends in the text
};

// A variable's text follows the diagram where the user left it, and stays the user's where
// the diagram left it; where both changed it, the user's stays and the diagram's follows.
Decision Merger::Decide(std::size_t run) const {
  const RunKey& key = current_.runs[run].key;
  const std::size_t was = Find(base_, key);
  const std::size_t next = Find(next_, key);
  if (was != kNone && Same(current_, run, base_, was)) {
    if (next == kNone) return {Fate::Drop, next};
    // Bytes as plimko wrote them take the diagram's bytes; a layout of the user's stays, or
    // lends its indentation to the diagram's change.
    const bool asWritten = RunText(current_, run) == RunText(base_, was);
    if (!Same(next_, next, base_, was) || asWritten) return {Fate::TakeNext, next, !asWritten};
    return {Fate::Keep, next};
  }
  if (next == kNone) return {was == kNone ? Fate::Keep : Fate::Conflict, next};
  if ((was != kNone && Same(next_, next, base_, was)) || Same(current_, run, next_, next))
    return {Fate::Keep, next};
  return {Fate::Conflict, next};
}

// A run the user's text lacks is the diagram's new one, or one the user deleted, which comes
// back when the diagram changed it.
bool Merger::Inserts(std::size_t nextRun) const {
  const std::size_t was = Find(base_, next_.runs[nextRun].key);
  return was == kNone || !Same(next_, nextRun, base_, was);
}

// Each inserted run goes right after the run that precedes it in the diagram's section (the
// user's, or one inserted before it); the first of a section where the diagram's text puts it.
void Merger::Place() {
  followCurrent_.assign(current_.runs.size(), kNone);
  followNext_.assign(next_.runs.size(), kNone);
  struct Slot {
    std::vector<std::size_t>* follow;
    std::size_t run;
  };
  std::unordered_map<char, Slot> last;
  for (std::size_t run = 0; run < next_.runs.size(); ++run) {
    const RunKey& key = next_.runs[run].key;
    if (const std::size_t mine = Find(current_, key); mine != kNone) {
      last[key.section] = {&followCurrent_, mine};
      continue;
    }
    if (!Inserts(run)) continue;
    const auto found = last.find(key.section);
    if (found == last.end()) {
      atGap_.push_back(run);
    } else {
      (*found->second.follow)[found->second.run] = run;
    }
    last[key.section] = {&followNext_, run};
  }
}

// Where, among the merged lines of no variable, the run goes: after the merged line that
// the line of no variable before it became.
std::size_t Merger::GapOf(const KeyedLines& text, const std::vector<std::size_t>& after,
                          std::size_t run) const {
  const std::size_t before = text.freeBefore[run];
  return before == 0 ? 0 : after[before - 1];
}

KeyedMerge Merger::Merge() && {
  decisions_.reserve(current_.runs.size());
  for (std::size_t run = 0; run < current_.runs.size(); ++run) decisions_.push_back(Decide(run));
  Place();
  std::size_t inserted = 0;
  std::size_t mine = 0;
  const std::size_t lines = free_.lines.size();
  for (std::size_t gap = 0; gap <= lines; ++gap) {
    for (; inserted < atGap_.size() && GapOf(next_, free_.afterNext, atGap_[inserted]) <= gap;
         ++inserted) {
      EmitChain(atGap_[inserted]);
    }
    for (; mine < current_.runs.size() && GapOf(current_, free_.afterCurrent, mine) <= gap; ++mine)
      EmitCurrentRun(mine);
    if (gap < lines) EmitMerged(free_.lines[gap]);
  }
  return std::move(result_);
}

void Merger::EmitCurrentRun(std::size_t run) {
  const Decision decision = decisions_[run];
  const std::string_view indent = Indentation(current_.lines[current_.runs[run].first]);
  switch (decision.fate) {
    case Fate::Keep:
      EmitRun(current_, run, std::nullopt);
      break;
    case Fate::TakeNext:
      EmitRun(next_, decision.next, decision.reindented ? std::optional(indent) : std::nullopt);
      break;
    case Fate::Drop:
      return;
    case Fate::Conflict:
      EmitRun(current_, run, std::nullopt);
      if (decision.next == kNone) {
        EmitNotApplied(kind_ == TextKind::Method
                           ? "the diagram removes the statement above, not applied"
                           : "the diagram removes the line above, not applied",
                       indent);
      } else if (kind_ == TextKind::Method) {
        const KeyedRun& wanted = next_.runs[decision.next];
        EmitNotApplied("the diagram's statement, not applied: " +
                           std::string(next_.text.substr(wanted.begin, wanted.end - wanted.begin)),
                       indent);
      } else {
        EmitNotApplied("the diagram's line, not applied: " +
                           Trimmed(next_.lines[next_.runs[decision.next].first]),
                       indent);
      }
      break;
  }
  if (followCurrent_[run] != kNone) EmitChain(followCurrent_[run]);
}

// The inserted run and those that follow it, one after the other: a diagram may add
// millions of variables at one place.
void Merger::EmitChain(std::size_t nextRun) {
  for (std::size_t run = nextRun; run != kNone; run = followNext_[run])
    EmitRun(next_, run, indent_);
}

void Merger::EmitMerged(const MergedLine& line) {
  switch (line.from) {
    case From::Current:
      EmitLine(current_.free[line.current], current_, current_.freeLine[line.current],
               std::nullopt);
      break;
    case From::Next:
      // In place of the user's line, whose statements it holds.
      EmitLine(next_.free[line.next], current_, current_.freeLine[line.current], std::nullopt);
      break;
    case From::Inserted: {
      const std::size_t at = next_.freeLine[line.next];
      EmitLine(next_.free[line.next], next_, at, next_.inLiteral[at] ? std::nullopt : indent_);
      break;
    }
    case From::NotApplied: {
      std::string text;
      std::size_t count = 0;
      for (std::size_t i = line.next; i < line.nextEnd; ++i) {
        const std::string trimmed = Trimmed(next_.free[i]);
        if (trimmed.empty()) continue;
        ++count;
        if (kind_ == TextKind::Comment) {
          EmitNotApplied("the diagram's line, not applied: " + trimmed, "");
        } else {
          if (!text.empty()) text += '\n';
          text.append(next_.free[i]);
        }
      }
      if (count == 0) {
        // Blank lines of the diagram's where the user has none leave nothing out.
        if (line.current == 0) break;
        EmitNotApplied(line.current == 1 ? "the diagram removes the line above, not applied"
                                         : "the diagram removes the lines above, not applied",
                       FreeIndent());
      } else if (kind_ == TextKind::Method) {
        EmitNotApplied((count == 1 ? "the diagram's line, not applied: "
                                   : "the diagram's lines, not applied: ") +
                           Trimmed(text),
                       FreeIndent());
      }
      break;
    }
  }
}

void Merger::EmitRun(const KeyedLines& text, std::size_t run,
                     std::optional<std::string_view> indent) {
  const KeyedRun& lines = text.runs[run];
  for (std::size_t line = lines.first; line <= lines.last; ++line)
    EmitLine(text.lines[line], text, line, line == lines.first ? indent : std::nullopt);
}

// A line of the text whose statements it holds (facts), given a new indentation or none.
void Merger::EmitLine(std::string_view bytes, const KeyedLines& facts, std::size_t line,
                      std::optional<std::string_view> indent) {
  std::string& out = result_.text;
  if (started_) out += '\n';
  started_ = true;
  // A statement that comes to follow the last one needs the period between them.
  if (facts.startsStatement[line] && pending_ != kNone) {
    out.insert(pending_, 1, '.');
    pending_ = kNone;
  }
  const std::string_view own = Indentation(bytes);
  if (indent && own.size() < bytes.size()) {
    out += *indent;
    bytes.remove_prefix(own.size());
  }
  const std::size_t start = out.size();
  out += bytes;
  if (line == facts.openLine) {
    pending_ = out.size();
    while (pending_ > start && IsBlank(out[pending_ - 1])) --pending_;
  }
}

// "plimko: <what>. Keep what you need and delete this comment.": a comment of the method, in
// which the diagram's quotes are doubled, or a line of the class comment.
void Merger::EmitNotApplied(std::string_view what, std::string_view indent) {
  const bool method = kind_ == TextKind::Method;
  std::string text = method ? "\"plimko: " : "plimko: ";
  for (const char c : what) {
    text += c;
    if (method && c == '"') text += '"';
  }
  text += what.ends_with('.') ? " " : ". ";
  text += method ? "Keep what you need and delete this comment.\""
                 : "Keep what you need and delete this line.";
  std::string& out = result_.text;
  if (started_) out += '\n';
  started_ = true;
  out += indent;
  out += text;
  result_.notApplied.push_back(std::move(text));
}

}  // namespace

KeyedMerge MergeKeyed(std::string_view base, std::string_view current, std::string_view next,
                      TextKind kind) {
  return Merger(base, current, next, kind).Merge();
}
