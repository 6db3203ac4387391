// Files by their UTF-8 path: the C library on Linux, the wide-character API on Windows.
#include "model/FileOpen.h"

#include <cerrno>
#include <cstring>

#include "model/Charset.h"
#include "model/Error.h"

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#include <climits>
#include <optional>

namespace {

// The UTF-16 form of UTF-8 text; none when Windows cannot convert it.
std::optional<std::wstring> WideText(const std::string& utf8) {
  if (utf8.size() > INT_MAX) return std::nullopt;
  const int length = static_cast<int>(utf8.size());
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (wideLength <= 0 && length > 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
  return wide;
}

// The path as the wide-character API takes it; none, with errno EINVAL, for a path
// that holds a NUL or cannot be converted.
std::optional<std::wstring> WidePath(const std::string& utf8Path) {
  std::optional<std::wstring> path;
  if (utf8Path.find('\0') == std::string::npos) path = WideText(utf8Path);
  if (!path) errno = EINVAL;
  return path;
}

// The errno of a Windows error, so that messages read as on Linux.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_INVALID_NAME:
      return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    default:
      return EIO;
  }
}

DWORD AttributesOf(const std::wstring& path) {
  return GetFileAttributesW(path.c_str());
}

int CurrentProcessNumber() {
  return _getpid();
}

int CreateNewDescriptor(const std::string& utf8Path) {
  const std::optional<std::wstring> path = WidePath(utf8Path);
  if (!path) return -1;
  return _wopen(path->c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

std::FILE* StreamOf(int descriptor) {
  std::FILE* file = _fdopen(descriptor, "wb");
  if (file == nullptr) _close(descriptor);
  return file;
}

}  // namespace

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
  const std::optional<std::wstring> path = WidePath(utf8Path);
  const std::optional<std::wstring> wideMode = WideText(mode);
  if (!path || !wideMode) return nullptr;
  return _wfopen(path->c_str(), wideMode->c_str());
}

std::FILE* OpenFileToRead(const std::string& utf8Path) {
  std::FILE* file = OpenFile(utf8Path, "rb");
  if (file == nullptr && errno == EACCES) {
    const DWORD attributes = AttributesOf(*WidePath(utf8Path));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      errno = EISDIR;
    }
  }
  return file;
}

std::optional<std::uintmax_t> SizeOf(std::FILE* file) {
  struct _stat64 info {};
  if (_fstat64(_fileno(file), &info) != 0 || info.st_size < 0) return std::nullopt;
  return static_cast<std::uintmax_t>(info.st_size);
}

int ReplaceRefusal(const std::string& utf8Path) {
  const std::optional<std::wstring> path = WidePath(utf8Path);
  if (!path) return errno;
  const DWORD attributes = AttributesOf(*path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EISDIR;
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return EACCES;
  return 0;
}

// MoveFileExW, unlike _wrename, replaces an existing file, and does so in one step.
bool RenameOver(const std::string& from, const std::string& to) {
  const std::optional<std::wstring> source = WidePath(from);
  const std::optional<std::wstring> target = WidePath(to);
  if (!source || !target) return false;
  if (MoveFileExW(source->c_str(), target->c_str(), MOVEFILE_REPLACE_EXISTING) != 0) return true;
  errno = ErrnoOf(GetLastError());
  return false;
}

bool RemoveFile(const std::string& utf8Path) {
  const std::optional<std::wstring> path = WidePath(utf8Path);
  return path && _wremove(path->c_str()) == 0;
}

#else

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool HoldsNul(const std::string& path) {
  if (path.find('\0') == std::string::npos) return false;
  errno = EINVAL;
  return true;
}

int CurrentProcessNumber() {
  return static_cast<int>(getpid());
}

int CreateNewDescriptor(const std::string& path) {
  if (HoldsNul(path)) return -1;
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

std::FILE* StreamOf(int descriptor) {
  std::FILE* file = fdopen(descriptor, "wb");
  if (file == nullptr) close(descriptor);
  return file;
}

}  // namespace

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
  if (HoldsNul(utf8Path)) return nullptr;
  return std::fopen(utf8Path.c_str(), mode);
}

std::FILE* OpenFileToRead(const std::string& utf8Path) {
  std::FILE* file = OpenFile(utf8Path, "rb");
  if (file == nullptr) return nullptr;
  struct stat info {};
  if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file);
    errno = EISDIR;
    return nullptr;
  }
  return file;
}

std::optional<std::uintmax_t> SizeOf(std::FILE* file) {
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || info.st_size < 0) return std::nullopt;
  return static_cast<std::uintmax_t>(info.st_size);
}

// Renaming ignores the target's permissions, which opening it for writing would
// heed: a file the user protected stays protected. A missing folder is left for
// the creation of the new file to report.
int ReplaceRefusal(const std::string& utf8Path) {
  if (HoldsNul(utf8Path)) return errno;
  struct stat info {};
  if (stat(utf8Path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (access(utf8Path.c_str(), W_OK) != 0) return errno;
  return 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  if (HoldsNul(from) || HoldsNul(to)) return false;
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& utf8Path) {
  if (HoldsNul(utf8Path)) return false;
  return std::remove(utf8Path.c_str()) == 0;
}

#endif

namespace {

// How many taken names are passed over before giving up: each belongs to a run
// of the same process number that ended without removing its file.
constexpr int kNameAttempts = 100;

}  // namespace

std::FILE* CreateUniqueFile(const std::string& pathPrefix, std::string& path) {
  static unsigned counter = 0;
  const std::string ownPrefix = pathPrefix + std::to_string(CurrentProcessNumber()) + "-";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    path = ownPrefix + std::to_string(counter++);
    const int descriptor = CreateNewDescriptor(path);
    if (descriptor >= 0) {
      std::FILE* file = StreamOf(descriptor);
      if (file == nullptr) {
        const int error = errno;
        RemoveFile(path);
        errno = error;
      }
      return file;
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

std::filesystem::path PathOf(const std::string& utf8Path) {
  return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string ReadFileText(const std::string& utf8Path) {
  std::FILE* file = OpenFileToRead(utf8Path);
  if (file == nullptr) {
    throw GenericError("cannot open \"" + WellFormedUtf8(utf8Path) + "\": " + std::strerror(errno));
  }
  std::string text;
  char block[1 << 14];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
    text.append(block, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw GenericError("cannot read \"" + WellFormedUtf8(utf8Path) + "\"");
  return text;
}
