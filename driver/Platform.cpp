// The command line and the console on Linux and on Windows.
#include "driver/Platform.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <cstdio>
#include <optional>

#include "model/FileOpen.h"

// Needs the declarations of windows.h before it.
#include <shellapi.h>
#else
#include <sys/stat.h>
#endif

namespace {

// argv without the program name; a program may be started with no argv at all.
std::vector<std::string> ArgumentsAfterName(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

#ifdef _WIN32

namespace {

// UTF-16 text as UTF-8.
std::string Utf8Text(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return "";
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return ArgumentsAfterName(argc, argv);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8Text(wide[i]));
  LocalFree(wide);
  return args;
}

bool WaitsForEnter() {
  DWORD mode = 0;
  DWORD processes[2] = {};
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0 &&
         GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0 &&
         GetConsoleProcessList(processes, 2) == 1;
}

namespace {

// The volume and the file index of an existing file. The file is opened through
// OpenFile, which knows UTF-8 paths; std::filesystem::equivalent is not reliable
// with every runtime of this platform.
std::optional<BY_HANDLE_FILE_INFORMATION> FileIdentity(const std::string& path) {
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  std::fclose(file);
  if (!known) return std::nullopt;
  return info;
}

}  // namespace

bool IsSameFile(const std::string& path, const std::string& other) {
  const auto a = FileIdentity(path);
  const auto b = FileIdentity(other);
  return a && b && a->dwVolumeSerialNumber == b->dwVolumeSerialNumber &&
         a->nFileIndexHigh == b->nFileIndexHigh && a->nFileIndexLow == b->nFileIndexLow;
}

Utf8Console::Utf8Console() {
  previousCodePage_ = GetConsoleOutputCP();
  if (previousCodePage_ != 0) SetConsoleOutputCP(CP_UTF8);
  // Text mode would turn every "\n" into "\r\n".
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

Utf8Console::~Utf8Console() {
  std::fflush(stdout);
  // The code page belongs to the console, which outlives the program.
  if (previousCodePage_ != 0) SetConsoleOutputCP(previousCodePage_);
}

#else

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return ArgumentsAfterName(argc, argv);
}

// A terminal stays open after the program: nothing to wait for.
bool WaitsForEnter() {
  return false;
}

bool IsSameFile(const std::string& path, const std::string& other) {
  struct stat a {};
  struct stat b {};
  return stat(path.c_str(), &a) == 0 && stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

#endif
