// What an image holds after filing in a chunk file, for comparing it with a Tonel package.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "tonel/TonelClass.h"

// The selector that the source's pattern spells, read without the product's pattern reader:
// the keywords before their argument names, or the first word; comments are left out.
std::string ChunkSelector(std::string_view source);

// The classes by name, as the chunk file's definitions, comments and method sections
// leave them: a later definition replaces the definition and comment, a later method of
// the same side and selector replaces the earlier one. Texts have LF line ends and nothing
// escaped; a class's package is its category. A chunk of any other form raises
// std::runtime_error.
std::map<std::string, TonelClass> FileIn(std::string_view chunkFile);
