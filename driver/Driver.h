// The command-line driver: phases, console reports and exit status.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs one conversion with the arguments after the program name, or answers --help
// and --version; writes to out and answers the exit status (0 done, 1 reported
// failure). The waits for Enter read a line from in only when interactive: when
// someone sits at a terminal that shows the prompt.
int RunDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              bool interactive);

// The file-name part of a path; "\" and "/" both separate directories.
std::string FileNameOf(const std::string& path);
// The file name up to its first full stop.
std::string BaseNameOf(const std::string& path);
// The trimmed path up to and including its last separator; empty when it has none.
std::string DirectoryOf(const std::string& path);
