// Files by their UTF-8 path, the same way on Linux and on Windows: opening, creating,
// replacing and removing them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

// The path that the UTF-8 text names, for std::filesystem, which would read a narrow
// string in the legacy code page on Windows.
std::filesystem::path PathOf(const std::string& utf8Path);
// The path's text as UTF-8.
std::string Utf8Of(const std::filesystem::path& path);

// Opens the file as std::fopen does. Linux gets the path's bytes as given; Windows
// gets the path as UTF-16 through its wide-character file API, since its narrow API
// would read the bytes in the legacy code page and miss non-ASCII names. A path that
// holds a NUL byte would name another file: it fails with errno EINVAL.
std::FILE* OpenFile(const std::string& utf8Path, const char* mode);

// Opens an existing file to read its bytes. A directory fails with errno EISDIR on
// every system, where Linux would open it and Windows would answer EACCES.
std::FILE* OpenFileToRead(const std::string& utf8Path);

// The size of the open file as the system tells it, without moving in it; none when
// the system cannot tell it.
std::optional<std::uintmax_t> SizeOf(std::FILE* file);

// Creates a file to write, named by the prefix followed by a number of this process's
// own, and stores its path in path. A name that another file holds already is passed
// over, so the file is never one that existed before. Null with errno set when no
// file can be created.
std::FILE* CreateUniqueFile(const std::string& pathPrefix, std::string& path);

// Why a new file may not take the place of what the path names, as the errno that
// opening it for writing would meet: EISDIR for a directory, EACCES for a file that
// may not be written. 0 when nothing is there or the file may be written.
int ReplaceRefusal(const std::string& utf8Path);

// Puts the file at from in the place of the one at to in one step, so that the
// target is always either the old file or the new one. False with errno set.
bool RenameOver(const std::string& from, const std::string& to);

// Removes the file; false with errno set.
bool RemoveFile(const std::string& utf8Path);

// The file's bytes. Raises GenericError `cannot open "PATH": REASON` or `cannot read
// "PATH"`.
std::string ReadFileText(const std::string& utf8Path);
