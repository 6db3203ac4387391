// The temporary file that takes a file's place: made beside it, renamed over it, and
// failures that name the file or the folder at fault.
#pragma once

#include <cstdio>
#include <string>

// Creates a file in the folder of the path, named ".plimko-" and a number of its own, to
// be renamed over the path later, and stores its name in temporary. Raises GenericError
// `cannot open "PATH": REASON` when what is at the path may not be replaced (a folder, a
// file that may not be written, a name the system refuses), and `cannot write in
// "FOLDER": REASON` when the folder takes no new file (it may not be written, or is
// missing); temporary is then empty.
std::FILE* CreateTemporaryFor(const std::string& path, std::string& temporary);

// The message for a rename over the target that failed with the errno: `cannot replace
// "TARGET": REASON` when something is at the target, `cannot write in "FOLDER": REASON`
// when the folder refused a new name.
std::string RenameFailure(const std::string& target, int error);

// `cannot write in "FOLDER": REASON`, FOLDER being the folder that holds the path.
std::string CannotWriteIn(const std::string& path, const std::string& reason);

// The path in double quotes, as UTF-8 text.
std::string QuotedPath(const std::string& path);
