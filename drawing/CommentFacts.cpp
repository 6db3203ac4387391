// What the class comment that plimko writes says about a class's variables and relations.
#include "drawing/CommentFacts.h"

#include <optional>

namespace {

constexpr std::string_view kVariableEnd = " Description...";
constexpr std::string_view kLinkEnd = "this side of link.";

enum class Section { None, Instance, Class, Constraints };

// The text up to the first of the characters, and the rest after that character.
std::string_view TakeUntil(std::string_view& text, char stop) {
  const std::size_t at = text.find(stop);
  const std::string_view taken = text.substr(0, at);
  text.remove_prefix(at == std::string_view::npos ? text.size() : at + 1);
  return taken;
}

bool Skip(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// "[text]" at the start: the text, and the rest after "]".
std::optional<std::string> Bracketed(std::string_view& text) {
  if (!text.starts_with('[')) return std::nullopt;
  const std::size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  std::string inside(text.substr(1, close - 1));
  text.remove_prefix(close + 1);
  return inside;
}

// Where the property string starts in what follows " = ": at the first "{" outside
// quotes and parentheses after a blank, as the reader took it out of the line.
std::size_t PropertiesStart(std::string_view text) {
  int depth = 0;
  bool quoted = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && depth > 0) {
      --depth;
    } else if (c == '{' && depth == 0 && at > 0 && text[at - 1] == ' ') {
      return at;
    }
  }
  return std::string_view::npos;
}

// The default and property string that end a variable's line.
bool ReadValueAndProperties(std::string_view rest, VariableFact& fact) {
  if (rest.empty()) return true;
  if (Skip(rest, " = ")) {
    const std::size_t properties = PropertiesStart(rest);
    fact.hasDefault = true;
    fact.defaultText =
        rest.substr(0, properties == std::string_view::npos ? rest.size() : properties - 1);
    if (properties != std::string_view::npos) fact.properties = rest.substr(properties);
    return true;
  }
  // A property string left open went on to the end of its compartment.
  if (!rest.starts_with(" {")) return false;
  fact.properties = rest.substr(1);
  return true;
}

std::optional<VariableFact> ReadVariableLine(std::string_view line) {
  if (!Skip(line, "  ") || !line.ends_with(kVariableEnd)) return std::nullopt;
  line.remove_suffix(kVariableEnd.size());
  VariableFact fact;
  fact.name = TakeUntil(line, '\t');
  if (fact.name.empty() || fact.name.find(' ') != std::string::npos) return std::nullopt;
  if (line.size() > 1 && line[0] == ' ' && line[1] != '=' && line[1] != '{') {
    line.remove_prefix(1);
    fact.type = TakeUntil(line, ' ');
    if (const std::optional<std::string> multiplicity = Bracketed(line))
      fact.multiplicity = *multiplicity;
  }
  if (!ReadValueAndProperties(line, fact)) return std::nullopt;
  return fact;
}

std::optional<LinkFact> ReadLinkLine(std::string_view line) {
  if (!Skip(line, "  ") || !line.ends_with(kVariableEnd)) return std::nullopt;
  line.remove_suffix(kVariableEnd.size());
  if (!line.ends_with(kLinkEnd)) return std::nullopt;
  line.remove_suffix(kLinkEnd.size());
  LinkFact fact;
  fact.name = TakeUntil(line, '\t');
  const std::size_t targetEnd = line.find_first_of("[ ");
  if (fact.name.empty() || targetEnd == 0 || targetEnd == std::string_view::npos)
    return std::nullopt;
  fact.target = line.substr(0, targetEnd);
  line.remove_prefix(targetEnd);
  if (const std::optional<std::string> multiplicity = Bracketed(line))
    fact.headMultiplicity = *multiplicity;
  if (!Skip(line, " constraint: ")) return std::nullopt;
  if (Skip(line, "single instance of ")) return line.empty() ? std::optional(fact) : std::nullopt;
  const std::optional<std::string> tail = Bracketed(line);
  if (!tail || line != " of ") return std::nullopt;
  fact.tailMultiplicity = *tail;
  return fact;
}

// The words of a constraint line between "\t\"#" and the closing quote.
std::vector<std::string_view> ConstraintWords(std::string_view line) {
  std::vector<std::string_view> words;
  if (!Skip(line, "\t\"#") || !line.ends_with('"')) return words;
  line.remove_suffix(1);
  while (!line.empty()) words.push_back(TakeUntil(line, ' '));
  return words;
}

void ReadConstraintLine(std::string_view line, CommentFacts& facts) {
  const std::vector<std::string_view> words = ConstraintWords(line);
  if (words.size() == 5 && words[1] == "inherits" && words[2] == "also" && words[3] == "from:" &&
      words[4].starts_with('#')) {
    facts.furtherSuperclasses.emplace_back(words[4].substr(1));
    return;
  }
  if (words.size() != 6 || words[2] != "from:" || words[4] != "to:" || !words[3].starts_with('#') ||
      !words[5].starts_with('#')) {
    return;
  }
  facts.constraints.push_back({std::string(words[0]), std::string(words[1]),
                               std::string(words[3].substr(1)), std::string(words[5].substr(1))});
}

// The comment lists the links' own constraint lines first, in the links' order.
void TakeLinkConstraints(CommentFacts& facts) {
  std::size_t taken = 0;
  for (const LinkFact& link : facts.links) {
    if (taken == facts.constraints.size()) break;
    const ConstraintFact& line = facts.constraints[taken];
    if (line.name != link.name || line.kind != "navigates" || line.to != link.target) break;
    ++taken;
  }
  facts.constraints.erase(facts.constraints.begin(),
                          facts.constraints.begin() + static_cast<std::ptrdiff_t>(taken));
}

}  // namespace

CommentFacts ReadCommentFacts(std::string_view comment) {
  CommentFacts facts;
  Section section = Section::None;
  while (!comment.empty()) {
    const std::string_view line = TakeUntil(comment, '\n');
    if (line == "Instance Variables") {
      section = Section::Instance;
    } else if (line == "Class Variables") {
      section = Section::Class;
    } else if (line == "Constraints") {
      section = Section::Constraints;
    } else if (section == Section::Constraints) {
      ReadConstraintLine(line, facts);
    } else if (section == Section::Instance) {
      if (std::optional<LinkFact> link = ReadLinkLine(line)) {
        facts.links.push_back(std::move(*link));
      } else if (std::optional<VariableFact> variable = ReadVariableLine(line)) {
        facts.instanceVariables.push_back(std::move(*variable));
      }
    } else if (section == Section::Class) {
      if (std::optional<VariableFact> variable = ReadVariableLine(line))
        facts.classVariables.push_back(std::move(*variable));
    }
  }
  TakeLinkConstraints(facts);
  return facts;
}
