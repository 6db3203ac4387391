// Running the plimko executable as a real process, with a time limit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ProcessResult {
  bool exited = false;  // ended by itself (not by a signal, not killed for time)
  int exitStatus = -1;  // valid when exited
  bool timedOut = false;
  std::string out;  // standard output
  std::string err;  // standard error (sanitizer reports land here)
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs the program with the arguments in the directory, feeding the text to its
// standard input; kills it after the time limit.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workDir, const Environment& env,
                         const std::string& input, int timeLimitSeconds);

struct TerminalRun {
  ProcessResult result;
  bool waitedForEnter = false;  // still running a second after the prompt, until Enter
};

// Runs the program with standard input on a pseudo-terminal, and standard output on
// that terminal too or on a pipe. Once the output ends in the prompt, gives the
// program a second to end by itself before it types Enter; kills it after a minute.
// None when the system has no pseudo-terminal to give.
std::optional<TerminalRun> RunOnTerminal(const std::string& program,
                                         const std::vector<std::string>& args,
                                         const std::string& workDir, const Environment& env,
                                         bool outputToTerminal, std::string_view prompt);
