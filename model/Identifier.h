// Turning free diagram text into identifiers.
#pragma once

#include <string>

// Whether the text is already an identifier; raises "name is empty" for "".
bool IsIdentifier(const std::string& text);
// Drops blank runs (capitalising what follows), strips accents, and replaces
// every other character an identifier may not hold by "_".
std::string MakeIdentifier(const std::string& text);
