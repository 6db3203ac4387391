// The command-line driver: runs the open, read and write phases and reports failures.
#include "driver/Driver.h"

#include <istream>
#include <ostream>
#include <string_view>

#include "model/Charset.h"
#include "model/Connection.h"
#include "model/Error.h"
#include "reader/Parser.h"
#include "reader/scanner.h"
#include "writer/FileWriter.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// The console: every text of the system is UTF-8, as the terminal reads it.
class Console {
 public:
  Console(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  void Write(std::string_view text) { out_ << text; }
  void WriteLine(std::string_view text) {
    Write(text);
    out_ << '\n';
  }
  // Shows the prompt and waits for one line; end of input also ends the wait.
  void Prompt(std::string_view prompt) {
    Write(prompt);
    out_.flush();
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
};

}  // namespace

std::string FileNameOf(const std::string& path) {
  std::string trimmed = Trimmed(path);
  size_t end = trimmed.size();
  while (end > 0 && !IsSeparator(trimmed[end - 1])) --end;
  return trimmed.substr(end);
}

std::string BaseNameOf(const std::string& path) {
  std::string name = FileNameOf(path);
  return name.substr(0, name.find('.'));
}

int RunDriver(const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
  Console console(in, out);
  console.WriteLine("plimko running ...");
  if (args.size() < 2) return console.ReportFatal("wrong number of parameters");

  // Paths reach the file system as the bytes given; they are shown as text.
  const std::string InputPath = Trimmed(args[0]);
  std::string OutputDir = Trimmed(args[1]);
  // An empty output directory stands for the current one.
  if (!OutputDir.empty() && !IsSeparator(OutputDir.back())) OutputDir += '/';

  try {
    OpenInput(InputPath);
  } catch (const std::exception&) {
    return console.ReportFatal("cannot open \"" + WellFormedUtf8(InputPath) + "\"");
  }

  PElemTable Diagram;
  try {
    Diagram = ReadDiagram();
    CloseInput();
  } catch (const std::exception& error) {
    return console.ReportReadError(MessageOf(error));
  }

  try {
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
