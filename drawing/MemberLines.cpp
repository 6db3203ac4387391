// The attribute and operation lines of a class panel, written so that plimko reads them
// back as the variables and methods they are drawn from.
#include "drawing/MemberLines.h"

#include <map>

#include "model/Error.h"
#include "model/Unicode.h"
#include "writer/Naming.h"

namespace {

std::string Enclosed(char mark, const std::string& text) {
  std::string enclosed(1, mark);
  enclosed += text;
  enclosed += mark;
  return enclosed;
}

// The class name that an argument such as "aStream" or "anInteger" names; empty for
// another argument.
std::string ArgumentClass(std::string_view argument) {
  for (const std::string_view article : {"an", "a"}) {
    if (!argument.starts_with(article) || argument.size() == article.size()) continue;
    const std::string word(argument.substr(article.size()));
    if (word[0] < 'A' || word[0] > 'Z') continue;
    try {
      if (StTypeName(word) == word) return word;
    } catch (const GenericError&) {
    }
  }
  return "";
}

// The parameters that give the arguments back: the argument word numbered after an
// earlier one of the same word ("aString2" after "aString") is that word again, since
// plimko numbers it so.
std::vector<std::string> Parameters(const PatternParts& parts) {
  std::vector<std::string> parameters;
  std::map<std::string, unsigned> seen;
  for (std::size_t i = 0; i < parts.arguments.size(); ++i) {
    std::string type = ArgumentClass(parts.arguments[i]);
    std::string name(parts.arguments[i]);
    if (!type.empty()) {
      const std::size_t digits = type.find_last_not_of("0123456789") + 1;
      if (digits < type.size()) {
        const auto earlier = seen.find(type.substr(0, digits));
        if (earlier != seen.end() && type.substr(digits) == std::to_string(earlier->second + 1))
          type.resize(digits);
      }
      ++seen[type];
      name = type;
      LowercaseFirst(name);
      name += ": ";
      name += type;
    }
    if (parts.defaults[i]) name.append(" = ").append(*parts.defaults[i]);
    parameters.push_back(std::move(name));
  }
  return parameters;
}

}  // namespace

std::string AttributeText(const AttributeLine& line) {
  std::string text(1, line.visibility);
  text += line.name;
  if (!line.type.empty() || !line.multiplicity.empty()) {
    text += ": ";
    text += line.type;
    if (!line.multiplicity.empty()) {
      if (!line.type.empty()) text += ' ';
      text += '[';
      text += line.multiplicity;
      text += ']';
    }
  }
  if (line.defaultText) text.append(" = ").append(*line.defaultText);
  if (!line.properties.empty()) text.append(" ").append(line.properties);
  return line.classSide ? Enclosed('_', text) : text;
}

bool HoldsMany(std::string_view multiplicity) {
  if (multiplicity.empty()) return false;
  std::string_view first = multiplicity.substr(0, multiplicity.find(','));
  const std::size_t range = first.find("..");
  if (range != std::string::npos) first = first.substr(range + 2);
  while (!first.empty() && first.front() == ' ') first.remove_prefix(1);
  while (!first.empty() && first.back() == ' ') first.remove_suffix(1);
  return first != "1";
}

std::string OperationText(const PatternParts& parts, const std::string& protocol, bool classSide,
                          bool abstract) {
  char visibility = '+';
  if (!parts.binary && protocol.starts_with("private")) visibility = '-';
  if (!parts.binary && protocol == "protected") visibility = '#';
  std::string text(1, visibility);
  text += parts.selector;
  text += '(';
  const std::vector<std::string> parameters = Parameters(parts);
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    if (i > 0) text += ", ";
    text += parameters[i];
  }
  text += ')';
  if (abstract) text = Enclosed('/', text);
  return classSide ? Enclosed('_', text) : text;
}
