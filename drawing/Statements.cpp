// The statements "name := value "comment"." that plimko's initialize methods set variables by.
#include "drawing/Statements.h"

#include <optional>
#include <utility>

#include "tonel/Lexis.h"

namespace {

std::string_view WithoutBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The comment's text, each doubled quote made single.
std::string CommentText(std::string_view quoted) {
  std::string text;
  for (std::size_t at = 1; at + 1 < quoted.size(); ++at) {
    text += quoted[at];
    if (quoted[at] == '"') ++at;
  }
  return text;
}

// "value" or "value "comment"", what follows ":=" up to the statement's end; nothing
// when more follows the comment.
std::optional<Statement> ReadValue(std::string_view rest) {
  // The value of a variable that holds many starts with a comment of its own.
  std::size_t at = rest.starts_with(kDefaultCollection) ? kDefaultCollection.size() : 0;
  while (at < rest.size() && rest[at] != '"') {
    const std::size_t after = rest[at] == '\'' || rest[at] == '$' ? AfterLiteral(rest, at) : at + 1;
    if (after == std::string_view::npos) return std::nullopt;
    at = after;
  }
  Statement statement;
  statement.value = WithoutBlanks(rest.substr(0, at));
  if (at == rest.size()) return statement;
  std::size_t close = at + 1;
  for (;; close += 2) {
    close = rest.find('"', close);
    if (close == std::string_view::npos) return std::nullopt;
    if (close + 1 == rest.size() || rest[close + 1] != '"') break;
  }
  if (!WithoutBlanks(rest.substr(close + 1)).empty()) return std::nullopt;
  statement.commented = true;
  statement.comment = CommentText(rest.substr(at, close + 1 - at));
  return statement;
}

}  // namespace

std::map<std::string, Statement> ReadStatements(std::string_view method) {
  std::map<std::string, Statement> statements;
  while (!method.empty()) {
    const std::size_t end = method.find('\n');
    std::string_view line = WithoutBlanks(method.substr(0, end));
    method.remove_prefix(end == std::string_view::npos ? method.size() : end + 1);
    const std::size_t name = IdentifierLength(line, 0);
    if (name == 0 || !line.ends_with('.')) continue;
    std::string_view rest = WithoutBlanks(line.substr(name, line.size() - name - 1));
    if (!rest.starts_with(":=")) continue;
    if (std::optional<Statement> statement = ReadValue(WithoutBlanks(rest.substr(2))))
      statements.try_emplace(std::string(line.substr(0, name)), std::move(*statement));
  }
  return statements;
}
