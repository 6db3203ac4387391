// Reading one class file of a Tonel package, as this program and Pharo write it.
#pragma once

#include <string>
#include <string_view>

#include "tonel/ClassFile.h"
#include "tonel/TonelClass.h"

// The class file's comment, definition and methods. Its line ends may be LF, CRLF or CR;
// what it answers has LF. Text that is no class file raises GenericError "line N: ...",
// to which the caller adds the file's path.
TonelClass ReadTonelClass(std::string_view text);
// The same, with where each part of the file stands.
ClassFile ReadClassFile(std::string_view text);
// The same for the text of the file at the path, whose error names it: GenericError
// `"PATH" is not a Tonel class file: line N: ...`.
ClassFile ReadClassFile(std::string_view text, const std::string& path);
