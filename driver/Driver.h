// The command-line driver: phases, console reports and exit status.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/Arena.h"
#include "model/ElemTable.h"

// The output formats: a chunk file, or a Tonel package.
enum class OutputFormat { Chunk, Tonel };

// The arguments taken apart. Options may stand anywhere before "--"; the first
// that decides the run (help, version or a usage error) ends the parse.
struct CommandLine {
  bool help = false;                          // --help or -h
  bool version = false;                       // --version or -V
  OutputFormat format = OutputFormat::Chunk;  // --format or -f, followed by its name
  bool packageGiven = false;                  // --package or -p, followed by the name
  std::string package;                        // as given, untrimmed
  std::string error;                          // a usage error, such as an unknown option
  std::vector<std::string> operands;          // the other arguments, trimmed, in order
  bool formatGiven = false;                   // whether --format named the format
  bool fromCode = false;                      // --from-code
};
// An argument that starts with "-" is an option, except "-" alone and those after "--".
// An option that takes a value takes it from the next argument or after "="
// (--format=tonel).
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Why the name cannot name a package (a folder of a Tonel source directory, and a
// category); empty when it can.
std::string PackageNameFault(const std::string& name);
// The Tonel package that the diagram's base name gives: every "." as "-", since
// Pharo reads no package folder whose name holds a dot.
std::string DefaultPackageName(const std::string& baseName);

// The model a run reads, in the arena it is made in; the arena comes first, so that
// it outlives the model. The holder decides when the model goes: a process that
// ends after its one run leaves it to the end of the process.
struct RunModel {
  ModelArena arena;
  PElemTable diagram;
};

// Runs one conversion with the arguments after the program name, or answers --help
// and --version; writes the banner and the closing line to out, failure reports to
// err, and answers the exit status (0 done, 1 reported failure). When waitForEnter,
// the closing line and every report end with a prompt, and one line is read from in.
// The diagram read is left in model.
int RunDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, bool waitForEnter, RunModel& model);

// The file-name part of a path; "\" and "/" both separate directories.
std::string FileNameOf(const std::string& path);
// The file name without its last extension: without the last full stop and what
// follows it, unless that full stop is the name's first character.
std::string BaseNameOf(const std::string& path);
// The trimmed path up to and including its last separator; empty when it has none.
std::string DirectoryOf(const std::string& path);
