// The command-line driver: runs the open, read and write phases and reports failures.
#include "driver/Driver.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string_view>
#include <utility>

#include "driver/Platform.h"
#include "model/Arena.h"
#include "model/Charset.h"
#include "model/Connection.h"
#include "model/Error.h"
#include "reader/Parser.h"
#include "reader/scanner.h"
#include "tonel/TonelWriter.h"
#include "writer/FileWriter.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;

// The help text after its synopsis line.
constexpr std::string_view kHelpBody =
    "       plimko --help | --version\n"
    "\n"
    "Converts a UMLet class diagram into Pharo Smalltalk source in chunk format. The\n"
    "output file is named after the diagram's file name without its last extension,\n"
    "with .st (shop.v1.uxf gives shop.v1.st), in the output directory, or beside the\n"
    "diagram when no directory is given. It appears whole or not at all; an output\n"
    "file that would be the diagram itself is refused.\n"
    "\n"
    "With --format tonel, the output directory is a Tonel source directory: the\n"
    "classes go into the package NAME/ (NAME as above), a file per class, and a run\n"
    "into a package written before keeps every change made there since (the text\n"
    "plimko wrote last is kept in .plimko/NAME/ beside it).\n"
    "\n"
    "  -f, --format FORMAT  chunk (the default) or tonel\n"
    "  -h, --help           print this text\n"
    "  -V, --version        print the version\n"
    "  --                   end the options: a path after it may start with \"-\"\n"
    "\n"
    "Exit status: 0 when the output file was written, 1 after a failure, which is\n"
    "reported on standard error. plimko waits for Enter before it ends only on\n"
    "Windows, in a console window opened for it alone (a diagram dropped onto it).\n"
    "\n"
    "Environment:\n"
    "  PLIMKO_AUTHOR      the author named in method stamps (letters and digits)\n"
    "  SOURCE_DATE_EPOCH  seconds since 1970-01-01 UTC to stamp instead of the clock\n"
    "\n"
    "Manual: man plimko (in the source tree: man -l doc/plimko.1)\n";

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// A synopsis with its paths written as the platform's users write them.
std::string WithPlatformSeparators(std::string line) {
  std::replace(line.begin(), line.end(), '/', kPathSeparator);
  return line;
}

// The line that --help begins with and a usage error ends with.
std::string UsageLine() {
  return WithPlatformSeparators("Usage: plimko path/to/diagram.uxf [output/directory]");
}

// The console: every text of the system is UTF-8, as the terminal reads it. The
// banner and the closing line go to standard output, failure reports to standard
// error.
class Console {
 public:
  Console(std::istream& in, std::ostream& out, std::ostream& err, bool waitForEnter)
      : in_(in), out_(out), err_(err), waitForEnter_(waitForEnter) {}

  void Write(std::string_view text) { out_ << text; }
  void WriteLine(std::string_view text) {
    Write(text);
    out_ << '\n';
  }

  int ReportDone() {
    if (waitForEnter_) {
      Prompt("Done. Press Enter...");
    } else {
      WriteLine("Done.");
    }
    return kExitDone;
  }

  int ReportFatal(const std::string& message) {
    WriteErrorBlock(message);
    err_ << '\n' << UsageLine() << '\n';
    return EndReport();
  }

  int ReportReadError(const std::string& message) {
    WriteErrorBlock(message);
    err_ << "\nline=" << LineNo() << ", pos=" << LinePos() << '\n';
    err_ << std::string(LinePos() > 1 ? static_cast<size_t>(LinePos() - 1) : 0, '-') << "v\n";
    err_ << CurLine() << '\n';
    return EndReport();
  }

  int ReportError(const std::string& message) {
    WriteErrorBlock(message);
    return EndReport();
  }

 private:
  // Standard output first, so that a terminal shows the banner before the report.
  void WriteErrorBlock(const std::string& message) {
    out_.flush();
    err_ << ")-8 " << message << " B-(\n";
  }

  // The report ends with its last line. A window that waits shows the prompt after
  // an empty line.
  int EndReport() {
    err_.flush();
    if (waitForEnter_) {
      out_ << '\n';
      Prompt("Press Enter...");
    }
    return kExitFailed;
  }

  // Shows the prompt and waits for one line; end of input also ends the wait.
  void Prompt(std::string_view prompt) {
    Write(prompt);
    out_.flush();
    std::string ignored;
    std::getline(in_, ignored);
  }

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  bool waitForEnter_;
};

// The report of a failed read comes first; a failure to close after it would hide it.
void CloseInputAfterFailure() {
  try {
    CloseInput();
  } catch (const std::exception&) {
  }
}

// The format of the name; false when there is none of that name.
bool FormatNamed(const std::string& name, OutputFormat& format) {
  if (name == "chunk") {
    format = OutputFormat::Chunk;
  } else if (name == "tonel") {
    format = OutputFormat::Tonel;
  } else {
    return false;
  }
  return true;
}

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
  const size_t stop = name.rfind('.');
  return stop == std::string::npos || stop == 0 ? name : name.substr(0, stop);
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool optionsEnded = false;
  for (auto arg = args.begin(); arg != args.end(); ++arg) {
    std::string text = Trimmed(*arg);
    if (optionsEnded || text.size() < 2 || text.front() != '-') {
      line.operands.push_back(std::move(text));
    } else if (text == "--format" || text == "-f") {
      const std::string name = ++arg == args.end() ? "" : Trimmed(*arg);
      if (!FormatNamed(name, line.format)) {
        line.error = "unknown format \"" + WellFormedUtf8(name) + "\": use chunk or tonel";
        return line;
      }
    } else if (text == "--") {
      optionsEnded = true;
    } else if (text == "--help" || text == "-h") {
      line.help = true;
      return line;
    } else if (text == "--version" || text == "-V") {
      line.version = true;
      return line;
    } else {
      line.error = "unknown option \"" + WellFormedUtf8(text) + "\"";
      return line;
    }
  }
  return line;
}

int RunDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, bool waitForEnter) {
  Console console(in, out, err, waitForEnter);
  const CommandLine line = ParseCommandLine(args);
  if (line.help) {
    console.WriteLine(UsageLine());
    console.WriteLine(WithPlatformSeparators(
        "       plimko --format tonel path/to/diagram.uxf [source/directory]"));
    console.Write(kHelpBody);
    return kExitDone;
  }
  if (line.version) {
    console.WriteLine("plimko " PLIMKO_VERSION);
    return kExitDone;
  }

  console.WriteLine("plimko running ...");
  if (!line.error.empty()) return console.ReportFatal(line.error);
  if (line.operands.empty()) return console.ReportFatal("wrong number of parameters");

  // Paths reach the file system as the bytes given; they are shown as text.
  const std::string& InputPath = line.operands[0];
  // Without an output directory the output goes beside the input: what a file
  // dropped onto the program, or a single name typed, asks for.
  std::string OutputDir = line.operands.size() > 1 ? line.operands[1] : DirectoryOf(InputPath);
  // An empty output directory stands for the current one.
  if (!OutputDir.empty() && !IsSeparator(OutputDir.back())) OutputDir += '/';

  try {
    OpenInput(InputPath);
  } catch (const std::exception& error) {
    return console.ReportFatal(MessageOf(error));
  }

  ModelArena arena;  // declared first, so that it outlives the model below
  PElemTable Diagram;
  try {
    const ArenaInUse inUse(arena);
    Diagram = ReadDiagram();
    CloseInput();
  } catch (const NotADiagramError& error) {
    CloseInputAfterFailure();
    return console.ReportError(MessageOf(error));
  } catch (const std::exception& error) {
    CloseInputAfterFailure();
    return console.ReportReadError(MessageOf(error));
  }

  try {
    // A diagram saved as NAME.st, or linked to that name, would be replaced by its output.
    if (line.format == OutputFormat::Chunk &&
        IsSameFile(InputPath, OutputDir + BaseNameOf(InputPath) + ".st")) {
      return console.ReportError("output file would overwrite the input \"" +
                                 WellFormedUtf8(InputPath) + "\"");
    }
    PElemTable ClassTable = Diagram->Filter(IsPlainClass);
    PElemTable RelationTable = Diagram->Filter(IsRelType);
    PElemTable OtherTable = Diagram->Filter(IsOtherElem);
    ConnectClasses(ClassTable, RelationTable);
    if (line.format == OutputFormat::Chunk) {
      WriteImportFile(OutputDir, BaseNameOf(InputPath), ClassTable, RelationTable, OtherTable);
    } else {
      const TonelPackage package = ComposeTonelPackage(WellFormedUtf8(BaseNameOf(InputPath)),
                                                       ClassTable, RelationTable, OtherTable);
      const TonelSummary summary = WriteTonelPackage(OutputDir, package);
      for (const std::string& note : package.notes) console.WriteLine(note);
      for (const std::string& note : summary.notes) console.WriteLine(note);
      console.WriteLine(SummaryLine(package.name, summary));
    }
  } catch (const std::exception& error) {
    return console.ReportError(MessageOf(error));
  }

  return console.ReportDone();
}
