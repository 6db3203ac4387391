// Files written all or nothing: under a temporary name, renamed into place once complete.
#pragma once

#include <string>
#include <string_view>

// Writes the text as the file's whole content; on failure the file is as it was.
void WriteFileAtomically(const std::string& path, std::string_view text);
