// Property strings of attribute lines: "{NotBlank, Length(max = 100)}".
#pragma once

#include <string>

#include "reader/scanner.h"

// Takes the property string out of the attribute line at the position, with
// the lines it goes on over, so that what followed it takes its place; answers
// its text, the lines joined by one blank and the entities decoded, or nothing
// when the line has none.
std::string TakePropertyString(Scanner& input);
