// The statements "name := value "comment"." that plimko's initialize methods set variables by.
#pragma once

#include <map>
#include <string>
#include <string_view>

struct Statement {
  std::string value;  // the expression, as written
  bool commented = false;
  std::string comment;  // the comment after it, its doubled quotes made single
};

// The statements of the method that stand on a line of their own, by variable; a
// variable set twice keeps its first. Every other line says nothing.
std::map<std::string, Statement> ReadStatements(std::string_view method);

// The kinds of value that plimko's statement comments name before the type.
inline constexpr std::string_view kOptionalWord = "optional ";
inline constexpr std::string_view kMandatoryWord = "mandatory ";
// The value of a variable that holds many, when the diagram names no collection class.
inline constexpr std::string_view kDefaultCollection =
    "\"default collection type\" OrderedCollection new";
