// STON, the notation of a class file's definition and of its methods' metadata: the
// forms that Tonel uses.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tonel/TonelCursor.h"

// A string ('...', or "..." as JSON has it) with its backslash escapes, or a symbol
// (#foo, #'foo bar'); answered unescaped.
std::string ReadStonText(TonelCursor& cursor);
// A list [ text, ... ] of strings and symbols. Where spellings is given, each item's
// bytes [begin, end) as the text spells it are appended to it.
std::vector<std::string> ReadStonTextList(
    TonelCursor& cursor, std::vector<std::pair<std::size_t, std::size_t>>* spellings = nullptr);
// Any value, unread: the text that it spans, to be kept as it is spelled.
std::string_view SkipStonValue(TonelCursor& cursor);
// A map { #key : value, ... } with symbols as keys: calls readValue with each key,
// without its "#", and where its "#" stands, while the cursor stands at the value,
// which readValue must read.
void ReadStonMap(TonelCursor& cursor,
                 const std::function<void(const std::string& key, std::size_t keyAt)>& readValue);
