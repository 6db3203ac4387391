// Temporary files and directories for tests; removed when the test program ends.
#pragma once

#include <string>
#include <vector>

// A new, empty directory of its own.
std::string MakeTempDir();
// Writes the bytes to a new file in a directory of its own and answers its path.
std::string WriteTempFile(const std::string& content, const std::string& name = "input.uxf");
// The whole content of a file, as bytes.
std::string ReadWholeFile(const std::string& path);
// The names of the files in a directory, sorted: what a run left there.
std::vector<std::string> FilesIn(const std::string& dir);
