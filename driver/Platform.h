// The program's own command line and console, which differ between Linux and Windows.
#pragma once

#include <string>
#include <vector>

// The arguments after the program name, as UTF-8. On Linux they are argv's bytes;
// on Windows they are read as UTF-16 from the process's command line, since the
// narrow argv holds them in the legacy code page, where non-ASCII names are lost.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Whether someone can see the prompts and answer them: standard input and standard
// output are both a terminal (on Windows, both the console).
bool ConsoleIsInteractive();

// Whether the two paths name one existing file: the same device and inode on Linux,
// the same volume and file index on Windows. Links and different spellings of one
// path count as the same file.
bool IsSameFile(const std::string& path, const std::string& other);

// For its lifetime, the console shows UTF-8 and standard output writes "\n" as it
// is, so that the console text has the same bytes on Windows as on Linux. Nothing
// to do on Linux.
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  unsigned previousCodePage_ = 0;  // Windows: the console's code page before; 0 for none
};
