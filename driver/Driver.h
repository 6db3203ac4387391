// The command-line driver: phases, console reports and exit status.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs one conversion with the arguments after the program name; writes to out,
// waits for Enter on in, and answers the exit status (0 done, 1 reported failure).
int RunDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out);

// The file-name part of a path; "\" and "/" both separate directories.
std::string FileNameOf(const std::string& path);
// The file name up to its first full stop.
std::string BaseNameOf(const std::string& path);
