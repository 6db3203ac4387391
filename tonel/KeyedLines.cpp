// The lines of an initialize method or a class comment, and the runs of them that belong to
// one variable.
#include "tonel/KeyedLines.h"

#include <algorithm>
#include <string>
#include <utility>

#include "model/Error.h"
#include "reader/scanner.h"
#include "tonel/Lexis.h"
#include "tonel/Pattern.h"

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool StartsLiteral(char c) {
  return c == '\'' || c == '"' || c == '$';
}

// A run for the key, unless an earlier one has it: a variable set twice, or described
// twice, is the user's doing, and its later runs are text like any other.
void AddFirst(KeyedLines& out, const KeyedRun& run) {
  if (out.byKey.emplace(run.key, out.runs.size()).second) out.runs.push_back(run);
}

// The statements of a method, found with the lexis that skips strings, comments,
// character literals and what brackets nest.
class StatementScan {
 public:
  explicit StatementScan(KeyedLines& out) : out_(out), text_(out.text) {}

  void Run() {
    std::size_t at = 0;
    try {
      at = SplitPattern(text_).length;
    } catch (const PlimkoError&) {
      return;
    }
    for (at = AfterPreamble(at); at < text_.size();) {
      const std::size_t begin = AfterGap(at);
      if (begin >= text_.size()) break;
      const std::size_t first = LineOf(begin);
      out_.startsStatement[first] = true;
      bool period = false;
      std::size_t end = StatementEnd(begin, period);
      if (end == kNone) break;
      if (!period) {
        while (IsBlank(text_[end - 1])) --end;
        out_.openLine = LineOf(end - 1);
      }
      AddRun(begin, first, end, period);
      if (!period) break;
      at = end + 1;
    }
  }

 private:
  std::size_t Offset(std::size_t line) const {
    return static_cast<std::size_t>(out_.lines[line].data() - text_.data());
  }

  // The line that holds byte at. The bytes asked for never lie before one asked for
  // earlier, so that the scan is linear.
  std::size_t LineOf(std::size_t at) {
    while (line_ + 1 < out_.lines.size() && Offset(line_ + 1) <= at) ++line_;
    return line_;
  }

  // After the literal at byte at, with the lines that start inside it marked; npos when it
  // is not closed.
  std::size_t SkipLiteral(std::size_t at) {
    const std::size_t after = AfterLiteral(text_, at);
    const std::size_t end = after == kNone ? text_.size() : after;
    for (std::size_t line = LineOf(at) + 1; line < out_.lines.size() && Offset(line) < end; ++line)
      out_.inLiteral[line] = true;
    return after;
  }

  // After the blanks and comments from byte at on; the text's end when a comment is not
  // closed.
  std::size_t AfterGap(std::size_t at) {
    while (at < text_.size()) {
      if (IsBlank(text_[at])) {
        ++at;
      } else if (text_[at] == '"') {
        at = SkipLiteral(at);
        if (at == kNone) return text_.size();
      } else {
        break;
      }
    }
    return at;
  }

  // After the temporaries ("| a b |") and pragmas ("<primitive: 1>") that the body starts
  // with, which are no statements.
  std::size_t AfterPreamble(std::size_t at) {
    while (true) {
      at = AfterGap(at);
      if (at >= text_.size() || (text_[at] != '|' && text_[at] != '<')) return at;
      const char close = text_[at] == '|' ? '|' : '>';
      for (++at; at < text_.size() && text_[at] != close;) {
        at = StartsLiteral(text_[at]) ? SkipLiteral(at) : at + 1;
        if (at == kNone) return text_.size();
      }
      ++at;
    }
  }

  bool IsDecimalPoint(std::size_t at) const {
    return at > 0 && IsAsciiDigit(text_[at - 1]) && at + 1 < text_.size() &&
           IsAsciiDigit(text_[at + 1]);
  }

  // The statement's period, outside literals and brackets, or the text's end when it has
  // none; npos when a literal in it is not closed.
  std::size_t StatementEnd(std::size_t at, bool& period) {
    std::size_t depth = 0;
    while (at < text_.size()) {
      const char c = text_[at];
      if (StartsLiteral(c)) {
        at = SkipLiteral(at);
        if (at == kNone) return kNone;
        continue;
      }
      if (c == '(' || c == '[' || c == '{') {
        ++depth;
      } else if ((c == ')' || c == ']' || c == '}') && depth > 0) {
        --depth;
      } else if (c == '.' && depth == 0 && !IsDecimalPoint(at)) {
        period = true;
        return at;
      }
      ++at;
    }
    return at;
  }

  // The statement's lines are the variable's when it assigns one, starts its line and
  // ends its last one (but for blanks and comments).
  void AddRun(std::size_t begin, std::size_t first, std::size_t end, bool period) {
    const std::size_t name = IdentifierLength(text_, begin);
    if (name == 0) return;
    std::size_t at = begin + name;
    while (at < end && IsBlank(text_[at])) ++at;
    if (text_.substr(at, 2) != ":=") return;
    if (begin - Offset(first) != Indentation(out_.lines[first]).size()) return;
    const std::size_t last = LineOf(period ? end : end - 1);
    const std::size_t lineEnd = Offset(last) + out_.lines[last].size();
    for (at = period ? end + 1 : lineEnd; at < lineEnd;) {
      const std::size_t after = text_[at] == '"' ? AfterLiteral(text_, at) : at + 1;
      if ((text_[at] != '"' && !IsBlank(text_[at])) || after > lineEnd) return;
      at = after;
    }
    AddFirst(out_, {{'S', text_.substr(begin, name)}, first, last, begin, end});
  }

  KeyedLines& out_;
  const std::string_view text_;
  std::size_t line_ = 0;  // the line of the byte asked for last
};

// Where the name of the variable or link that a line of the section describes starts, and
// the character that follows the name; npos when the line can describe none.
std::pair<std::size_t, char> NameAt(char section, std::string_view line) {
  const std::size_t indent = Indentation(line).size();
  if (section == 'K' && line.substr(indent).starts_with("\"#")) return {indent + 2, ' '};
  if ((section == 'I' || section == 'C') && indent > 0) return {indent, '\t'};
  return {kNone, 0};
}

// The comment's lines that describe a variable or a link.
void AddCommentRuns(KeyedLines& out) {
  char section = 0;
  for (std::size_t i = 0; i < out.lines.size(); ++i) {
    const std::string_view line = out.lines[i];
    const auto [at, after] = NameAt(section, line);
    const std::size_t name = at == kNone ? 0 : IdentifierLength(line, at);
    if (name > 0 && at + name < line.size() && line[at + name] == after) {
      AddFirst(out, {{section, line.substr(at, name)}, i, i, 0, 0});
      continue;
    }
    const std::string heading = Trimmed(line);
    if (heading == "Instance Variables") section = 'I';
    if (heading == "Class Variables") section = 'C';
    if (heading == "Constraints") section = 'K';
  }
}

}  // namespace

std::string_view Indentation(std::string_view line) {
  return line.substr(0, std::min(line.find_first_not_of(" \t"), line.size()));
}

KeyedLines SplitKeyed(std::string_view text, TextKind kind) {
  KeyedLines out;
  out.text = text;
  out.lines = SplitLines(text);
  out.startsStatement.resize(out.lines.size());
  out.inLiteral.resize(out.lines.size());
  // At most a run a line: the index never grows anew.
  out.byKey.reserve(out.lines.size());
  if (kind == TextKind::Method) {
    StatementScan(out).Run();
  } else {
    AddCommentRuns(out);
  }
  out.freeBefore.reserve(out.runs.size());
  std::size_t run = 0;
  for (std::size_t i = 0; i < out.lines.size(); ++i) {
    if (run < out.runs.size() && out.runs[run].first == i) {
      out.freeBefore.push_back(out.free.size());
      i = out.runs[run++].last;
      continue;
    }
    out.free.push_back(out.lines[i]);
    out.freeLine.push_back(i);
  }
  return out;
}
