// The program's own command line and console, which differ between Linux and Windows.
#pragma once

#include <string>
#include <vector>

// The arguments after the program name, as UTF-8. On Linux they are argv's bytes;
// on Windows they are read as UTF-16 from the process's command line, since the
// narrow argv holds them in the legacy code page, where non-ASCII names are lost.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The separator of directories in the paths that the platform's users write.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Whether the program waits for Enter before it ends. Only on Windows, and only when
// its console window was opened for it alone, as when a diagram is dropped onto the
// executable or the executable is double-clicked: the console's process list holds
// this process only, and standard input and output are that console. A console that
// a shell or another program shares stays open by itself; a terminal elsewhere does.
bool WaitsForEnter();

// Whether the two paths name one existing file: the same device and inode on Linux,
// the same volume and file index on Windows. Links and different spellings of one
// path count as the same file.
bool IsSameFile(const std::string& path, const std::string& other);

// For its lifetime, the console shows UTF-8, and standard output and standard error
// write "\n" as it is, so that the console text has the same bytes on Windows as on
// Linux. Nothing to do on Linux.
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  unsigned previousCodePage_ = 0;  // Windows: the console's code page before; 0 for none
};
