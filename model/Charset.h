// Conversion between UTF-8 and Windows-1250, the 8-bit character set of the model.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Decodes UTF-8 into Windows-1250. A character that Windows-1250 lacks becomes
// "?", and so does each maximal ill-formed subsequence of bytes.
std::string Utf8ToCp1250(std::string_view utf8);

// Encodes Windows-1250 text as UTF-8; ASCII passes unchanged. A byte that has
// no character in Windows-1250 is written as "?".
std::string Cp1250ToUtf8(std::string_view text);
// The same, appended to out.
void AppendCp1250AsUtf8(std::string& out, std::string_view text);

// The Windows-1250 byte of a Unicode code point, or "?" when there is none
// (negative numbers and numbers beyond Unicode included).
char CodePointToCp1250(int64_t codePoint);
