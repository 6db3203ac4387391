// The command-line driver: runs the open, read and write phases and reports failures.
#include "driver/Driver.h"

#include <istream>
#include <ostream>
#include <string_view>

#include "driver/Platform.h"
#include "model/Arena.h"
#include "model/Charset.h"
#include "model/Connection.h"
#include "model/Error.h"
#include "reader/Parser.h"
#include "reader/scanner.h"
#include "writer/FileWriter.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;

constexpr std::string_view kHelp =
    "Usage: plimko DIAGRAM.uxf [OUTPUT-DIRECTORY]\n"
    "       plimko --help | --version\n"
    "\n"
    "Converts a UMLet class diagram into Pharo Smalltalk source in chunk format,\n"
    "OUTPUT-DIRECTORY/DIAGRAM.st, or DIAGRAM.st beside the diagram when no directory\n"
    "is given. An output file that would be the diagram itself is refused.\n"
    "\n"
    "  -h, --help     print this text\n"
    "  -V, --version  print the version\n"
    "\n"
    "Exit status: 0 when the output file was written, 1 after a reported failure.\n"
    "plimko waits for Enter before it ends when its input and output are a terminal.\n"
    "\n"
    "Environment:\n"
    "  PLIMKO_AUTHOR      the author named in method stamps (letters and digits)\n"
    "  SOURCE_DATE_EPOCH  seconds since 1970-01-01 UTC to stamp instead of the clock\n"
    "\n"
    "Manual: man plimko (in the source tree: man -l doc/plimko.1)\n";

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// The console: every text of the system is UTF-8, as the terminal reads it.
class Console {
 public:
  Console(std::istream& in, std::ostream& out, bool interactive)
      : in_(in), out_(out), interactive_(interactive) {}

  void Write(std::string_view text) { out_ << text; }
  void WriteLine(std::string_view text) {
    Write(text);
    out_ << '\n';
  }
  // Shows the prompt and waits for one line; end of input also ends the wait. A
  // prompt that nobody sees (output redirected) or answers (input redirected) would
  // hang a script, so then the text is written and nothing is read.
  void Prompt(std::string_view prompt) {
    Write(prompt);
    out_.flush();
    if (!interactive_) return;
    std::string ignored;
    std::getline(in_, ignored);
  }

  int ReportFatal(const std::string& message) {
    WriteErrorBlock(message);
    WriteLine("Usage: plimko input\\path\\file.uxf output\\directory\\");
    WriteLine("");
    Prompt("Press Enter...");
    return kExitFailed;
  }

  int ReportReadError(const std::string& message) {
    try {
      CloseInput();
    } catch (const std::exception&) {
      // The report of the first failure matters more than a failed close.
    }
    WriteErrorBlock(message);
    WriteLine("line=" + std::to_string(LineNo()) + ", pos=" + std::to_string(LinePos()));
    std::string pointer(LinePos() > 1 ? static_cast<size_t>(LinePos() - 1) : 0, '-');
    WriteLine(pointer + "v");
    WriteLine(CurLine());
    WriteLine("");
    Prompt("Press Enter...");
    return kExitFailed;
  }

  int ReportError(const std::string& message) {
    WriteErrorBlock(message);
    Prompt("Press Enter...");
    return kExitFailed;
  }

 private:
  void WriteErrorBlock(const std::string& message) {
    WriteLine(")-8 " + message + " B-(");
    WriteLine("");
  }

  std::istream& in_;
  std::ostream& out_;
  bool interactive_;
};

}  // namespace

std::string DirectoryOf(const std::string& path) {
  std::string trimmed = Trimmed(path);
  size_t end = trimmed.size();
  while (end > 0 && !IsSeparator(trimmed[end - 1])) --end;
  return trimmed.substr(0, end);
}

std::string FileNameOf(const std::string& path) {
  return Trimmed(path).substr(DirectoryOf(path).size());
}

std::string BaseNameOf(const std::string& path) {
  std::string name = FileNameOf(path);
  return name.substr(0, name.find('.'));
}

int RunDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              bool interactive) {
  Console console(in, out, interactive);
  const std::string option = args.empty() ? "" : Trimmed(args[0]);
  if (option == "--help" || option == "-h") {
    console.Write(kHelp);
    return kExitDone;
  }
  if (option == "--version" || option == "-V") {
    console.WriteLine("plimko " PLIMKO_VERSION);
    return kExitDone;
  }

  console.WriteLine("plimko running ...");
  if (args.empty()) return console.ReportFatal("wrong number of parameters");

  // Paths reach the file system as the bytes given; they are shown as text.
  const std::string InputPath = Trimmed(args[0]);
  // Without an output directory the output goes beside the input: what a file
  // dropped onto the program, or a single name typed, asks for.
  std::string OutputDir = args.size() > 1 ? Trimmed(args[1]) : DirectoryOf(InputPath);
  // An empty output directory stands for the current one.
  if (!OutputDir.empty() && !IsSeparator(OutputDir.back())) OutputDir += '/';

  try {
    OpenInput(InputPath);
  } catch (const std::exception&) {
    return console.ReportFatal("cannot open \"" + WellFormedUtf8(InputPath) + "\"");
  }

  ModelArena arena;  // declared first, so that it outlives the model below
  PElemTable Diagram;
  try {
    const ArenaInUse inUse(arena);
    Diagram = ReadDiagram();
    CloseInput();
  } catch (const std::exception& error) {
    return console.ReportReadError(MessageOf(error));
  }

  try {
    // A diagram saved as NAME.st, or linked to that name, would be replaced by its output.
    if (IsSameFile(InputPath, OutputDir + BaseNameOf(InputPath) + ".st")) {
      return console.ReportError("output file would overwrite the input \"" +
                                 WellFormedUtf8(InputPath) + "\"");
    }
    PElemTable ClassTable = Diagram->Filter(IsPlainClass);
    PElemTable RelationTable = Diagram->Filter(IsRelType);
    PElemTable OtherTable = Diagram->Filter(IsOtherElem);
    ConnectClasses(ClassTable, RelationTable);
    WriteImportFile(OutputDir, BaseNameOf(InputPath), ClassTable, RelationTable, OtherTable);
  } catch (const std::exception& error) {
    return console.ReportError(MessageOf(error));
  }

  console.Prompt("Done. Press Enter...");
  return kExitDone;
}
