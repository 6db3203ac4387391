// STON, the notation of a class file's definition and of its methods' metadata: the
// forms that Tonel uses.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tonel/TonelCursor.h"

// A string ('...', or "..." as JSON has it) with its backslash escapes, or a symbol
// (#foo, #'foo bar'); answered unescaped.
std::string ReadStonText(TonelCursor& cursor);
// A list [ text, ... ] of strings and symbols.
std::vector<std::string> ReadStonTextList(TonelCursor& cursor);
// Any value, unread: the text that it spans, to be kept as it is spelled.
std::string_view SkipStonValue(TonelCursor& cursor);
// A map { #key : value, ... } with symbols as keys: calls readValue with each key,
// without its "#", while the cursor stands at the value, which readValue must read.
void ReadStonMap(TonelCursor& cursor, const std::function<void(const std::string& key)>& readValue);
