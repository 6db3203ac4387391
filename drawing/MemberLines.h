// The attribute and operation lines of a class panel, written so that plimko reads them
// back as the variables and methods they are drawn from.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/MethodShape.h"

// A variable as an attribute line: "-name: Type [mult] = default {properties}".
// The texts are views, into what the line is drawn from.
struct AttributeLine {
  char visibility = '-';
  bool classSide = false;  // drawn static: the line in underscores
  std::string_view name;
  std::string_view type;          // none when empty
  std::string_view multiplicity;  // the text between brackets; none when empty
  std::optional<std::string> defaultText;
  std::string_view properties;  // "{...}"; none when empty
};
std::string AttributeText(const AttributeLine& line);

// Whether a multiplicity text ("0..1", "*", "1..2,4..5") lets a variable hold many.
bool HoldsMany(std::string_view multiplicity);

// A method as an operation line: "+at:put:(integer: Integer, object: Object)", "+=(other:
// Object)", "+size()", in slashes when abstract, in underscores on the class side. The
// visibility is "+" for a binary selector, else by the protocol: "-" for one that starts
// with "private", "#" for "protected", "+" for any other.
std::string OperationText(const PatternParts& parts, const std::string& protocol, bool classSide,
                          bool abstract);
