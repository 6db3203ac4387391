// Opening a file by its UTF-8 path, the same way on Linux and on Windows.
#pragma once

#include <cstdio>
#include <string>

// Opens the file as std::fopen does. Linux gets the path's bytes as given; Windows
// gets the path as UTF-16 through its wide-character file API, since its narrow API
// would read the bytes in the legacy code page and miss non-ASCII names.
std::FILE* OpenFile(const std::string& utf8Path, const char* mode);
