// The command-line driver: runs the open, read and write phases and reports failures.
#include "driver/Driver.h"

#include <algorithm>
#include <filesystem>
#include <istream>
#include <memory>
#include <ostream>
#include <string_view>
#include <utility>

#include "driver/FromCode.h"
#include "driver/Platform.h"
#include "model/Arena.h"
#include "model/Charset.h"
#include "model/Connection.h"
#include "model/Error.h"
#include "model/FileOpen.h"
#include "reader/Parser.h"
#include "reader/scanner.h"
#include "tonel/Baseline.h"
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
    "classes go into the package NAME/ (NAME as above, every \".\" as \"-\"), a file per\n"
    "class, and a run into a package written before keeps every change made there\n"
    "since (the text plimko wrote last is kept in .plimko/NAME/ beside it).\n"
    "\n"
    "With --from-code, plimko goes the other way: it draws the diagram, which must not\n"
    "be there yet, from the classes of the package NAME/ in the source directory, and\n"
    "writes the copy in .plimko/NAME/ that a Tonel run from the diagram writes; the\n"
    "package itself is left as it is.\n"
    "\n"
    "  -f, --format FORMAT  chunk (the default) or tonel\n"
    "  --from-code          draw the diagram from the Tonel package\n"
    "  -p, --package NAME   the Tonel package, and the chunk file's class category\n"
    "  -h, --help           print this text\n"
    "  -V, --version        print the version\n"
    "  --                   end the options: a path after it may start with \"-\"\n"
    "  An option's value may also follow \"=\": --format=tonel, --package=NAME.\n"
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

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(PathOf(path), error);
}

bool IsFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(PathOf(path), error);
}

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
  return WithPlatformSeparators(
      "Usage: plimko [-f FORMAT] [-p NAME] path/to/diagram.uxf [output/directory]");
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

  int ReportReadError(const ReadError& error) {
    WriteErrorBlock(error.Message());
    const InputPlace& place = error.Place();
    err_ << "\nline=" << place.lineNo << ", pos=" << place.linePos << '\n';
    err_ << std::string(place.linePos > 1 ? static_cast<size_t>(place.linePos - 1) : 0, '-')
         << "v\n";
    err_ << place.line << '\n';
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
void CloseInputAfterFailure(DiagramReader& reader) {
  try {
    reader.CloseInput();
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

// The text with each control character (C0, DEL and, in UTF-8, C1) as "?", so that a
// name shown on the console cannot drive the terminal.
std::string WithoutControls(const std::string& text) {
  std::string shown;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    const bool c1 = c == 0xC2 && at + 1 < text.size() &&
                    static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[at + 1]) <= 0x9F;
    if (c < 0x20 || c == 0x7F || c1) {
      shown += '?';
      at += c1 ? 1 : 0;
    } else {
      shown += text[at];
    }
  }
  return shown;
}

// An option that takes a value: "--name=value", or "--name" or "-n" followed by the
// value in the next argument, untrimmed. Answers whether the argument is that option;
// a missing value is empty.
bool TakesValue(const std::string& text, std::string_view longName, std::string_view shortName,
                std::vector<std::string>::const_iterator& arg,
                std::vector<std::string>::const_iterator end, std::string& value) {
  if (text == longName || text == shortName) {
    value = arg + 1 == end ? "" : *++arg;
    return true;
  }
  if (!text.starts_with(longName) || text.size() == longName.size() ||
      text[longName.size()] != '=') {
    return false;
  }
  // The raw argument: a value's blanks are its own.
  value = arg->substr(arg->find('=') + 1);
  return true;
}

// The run of --from-code: the diagram drawn from the package that a Tonel run into the
// source directory would write.
int DrawDiagram(Console& console, const CommandLine& line, const std::string& diagram,
                const std::string& dir) {
  const std::string package =
      line.packageGiven ? line.package : DefaultPackageName(BaseNameOf(diagram));
  if (const std::string fault = PackageNameFault(package); !fault.empty()) {
    return console.ReportFatal(fault + "; name the package with --package");
  }
  try {
    for (const std::string& note : DrawFromCode(diagram, dir, package).lines)
      console.WriteLine(note);
  } catch (const std::exception& error) {
    return console.ReportError(MessageOf(error));
  }
  return console.ReportDone();
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
    std::string value;
    if (optionsEnded || text.size() < 2 || text.front() != '-') {
      line.operands.push_back(std::move(text));
    } else if (TakesValue(text, "--format", "-f", arg, args.end(), value)) {
      const std::string name = Trimmed(value);
      if (!FormatNamed(name, line.format)) {
        line.error = "unknown format \"" + WellFormedUtf8(name) + "\": use chunk or tonel";
        return line;
      }
      line.formatGiven = true;
    } else if (TakesValue(text, "--package", "-p", arg, args.end(), value)) {
      line.error = PackageNameFault(value);
      if (!line.error.empty()) return line;
      line.packageGiven = true;
      line.package = std::move(value);
    } else if (text == "--from-code") {
      line.fromCode = true;
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

std::string PackageNameFault(const std::string& name) {
  std::string why;
  if (name.empty()) {
    why = "it is empty";
  } else if (WithoutControls(name) != name) {
    why = "it holds a control character";
  } else if (name.find_first_of("./\\") != std::string::npos) {
    why = std::string("it holds \"") + name[name.find_first_of("./\\")] + "\"";
  } else if (name.front() == ' ' || name.back() == ' ') {
    why = "it begins or ends with a blank";
  } else {
    return "";
  }
  return "bad package name \"" + WithoutControls(WellFormedUtf8(name)) + "\": " + why;
}

std::string DefaultPackageName(const std::string& baseName) {
  std::string name = WellFormedUtf8(baseName);
  std::replace(name.begin(), name.end(), '.', '-');
  return name;
}

int RunDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, bool waitForEnter, RunModel& model) {
  Console console(in, out, err, waitForEnter);
  const CommandLine line = ParseCommandLine(args);
  if (line.help) {
    console.WriteLine(UsageLine());
    console.WriteLine(WithPlatformSeparators(
        "       plimko -f tonel [-p NAME] path/to/diagram.uxf [source/directory]"));
    console.WriteLine(WithPlatformSeparators(
        "       plimko --from-code [-p NAME] path/to/diagram.uxf [source/directory]"));
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
  if (line.fromCode && line.formatGiven && line.format == OutputFormat::Chunk) {
    return console.ReportFatal("--from-code reads a Tonel package: it takes no --format chunk");
  }

  // Paths reach the file system as the bytes given; they are shown as text.
  const std::string& InputPath = line.operands[0];
  // Without an output directory the output goes beside the input: what a file
  // dropped onto the program, or a single name typed, asks for.
  std::string OutputDir = line.operands.size() > 1 ? line.operands[1] : DirectoryOf(InputPath);
  // An empty output directory stands for the current one.
  if (!OutputDir.empty() && !IsSeparator(OutputDir.back())) OutputDir += '/';
  if (line.fromCode) return DrawDiagram(console, line, InputPath, OutputDir);

  // The chunk file's category stays the diagram's name; a Tonel package's folder may
  // hold no dot.
  std::string package = line.packageGiven ? line.package
                        : line.format == OutputFormat::Chunk
                            ? WellFormedUtf8(BaseNameOf(InputPath))
                            : DefaultPackageName(BaseNameOf(InputPath));
  if (line.format == OutputFormat::Tonel && !line.packageGiven) {
    if (const std::string fault = PackageNameFault(package); !fault.empty()) {
      return console.ReportFatal(fault + "; name the package with --package");
    }
  }

  DiagramReader reader(model.arena);
  try {
    reader.OpenInput(InputPath);
  } catch (const std::exception& error) {
    return console.ReportFatal(MessageOf(error));
  }
  // Nothing is written before the output directory is known to take the output.
  std::string shownDir =
      WellFormedUtf8(line.operands.size() > 1 ? line.operands[1] : DirectoryOf(InputPath));
  if (shownDir.empty()) shownDir = ".";
  if (!OutputDir.empty() && !IsDirectory(OutputDir)) {
    CloseInputAfterFailure(reader);
    return console.ReportError("output directory \"" + shownDir + "\" does not exist");
  }
  // A chunk file has no place among Tonel files: Pharo would refuse a package folder
  // that holds one, and a source directory asks for a package.
  if (line.format == OutputFormat::Chunk && IsFile(OutputDir + "package.st")) {
    CloseInputAfterFailure(reader);
    return console.ReportError("\"" + shownDir +
                               "\" is a Tonel package folder: write the chunk file elsewhere, "
                               "or use --format tonel with its parent");
  }
  if (line.format == OutputFormat::Chunk && IsFile(OutputDir + ".properties")) {
    CloseInputAfterFailure(reader);
    return console.ReportError("\"" + shownDir +
                               "\" is a Tonel source directory: write the chunk file elsewhere, "
                               "or use --format tonel");
  }

  PElemTable& Diagram = model.diagram;
  try {
    Diagram = reader.ReadDiagram();
    reader.CloseInput();
  } catch (const NotADiagramError& error) {
    CloseInputAfterFailure(reader);
    return console.ReportError(MessageOf(error));
  } catch (const ReadError& error) {
    CloseInputAfterFailure(reader);
    return console.ReportReadError(error);
  } catch (const std::exception& error) {
    // Even the report of the failure could not be made.
    CloseInputAfterFailure(reader);
    return console.ReportError(MessageOf(error));
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
    // The classes keep the tables of their relations: they are made where the classes are.
    ConnectClasses(ClassTable, RelationTable, model.arena);
    if (line.format == OutputFormat::Chunk) {
      WriteImportFile(OutputDir, BaseNameOf(InputPath), package, ClassTable, RelationTable,
                      OtherTable);
    } else {
      TonelPackage tonel = ComposeTonelPackage(package, ClassTable, RelationTable, OtherTable);
      // A baseline lets Metacello load the package in one line; one that is there is the
      // user's.
      tonel.baseline = ComposeBaseline(OutputDir, package);
      const TonelSummary summary = WriteTonelPackage(OutputDir, tonel);
      for (const std::string& note : tonel.notes) console.WriteLine(note);
      for (const std::string& note : summary.notes) console.WriteLine(note);
      console.WriteLine(SummaryLine(tonel.name, summary));
    }
  } catch (const std::exception& error) {
    return console.ReportError(MessageOf(error));
  }

  return console.ReportDone();
}
