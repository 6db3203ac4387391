// A method's pattern taken apart, and the shapes of the methods plimko writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tonel/TonelClass.h"

// The selector's parts: "at:put:" gives the keywords "at", "put"; a binary or unary
// selector is its one part. The parts and arguments are views into the method's source.
struct PatternParts {
  std::string selector;
  std::vector<std::string_view> keywords;
  std::vector<std::string_view> arguments;
  // Per argument: the text of a comment "=text" right after it, which plimko writes for a
  // parameter's default, its doubled quotes made single.
  std::vector<std::optional<std::string>> defaults;
  bool binary = false;
  std::size_t length = 0;  // of the pattern in the source
};

// Raises GenericError as SplitPattern does for a source that starts with no pattern.
PatternParts SplitParts(std::string_view source);

// Whether the method's statements are "self subclassResponsibility", answered or not.
bool IsSubclassResponsibility(std::string_view source, const PatternParts& parts);
// Whether the method is the getter plimko writes for the variable: "name ^name".
bool IsGetter(const TonelMethod& method, const std::string& variable);
// Whether it is the setter: "name: anArgument name := anArgument".
bool IsSetter(const TonelMethod& method, const std::string& variable);
