// Turning free diagram text into identifiers.
#pragma once

#include <string>

// Whether the text is already an identifier; raises "name is empty" for "".
bool IsIdentifier(const std::string& text);
// Drops blank runs (capitalising what follows), strips accents from Latin letters,
// keeps the letters of other scripts, drops combining marks, and replaces every
// other character an identifier may not hold by "_". The text is UTF-8.
std::string MakeIdentifier(const std::string& text);
