// Opening a file by its UTF-8 path: std::fopen on Linux, _wfopen on Windows.
#include "model/FileOpen.h"

#ifdef _WIN32

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

}  // namespace

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
  std::optional<std::wstring> path = WideText(utf8Path);
  std::optional<std::wstring> wideMode = WideText(mode);
  if (!path || !wideMode) return nullptr;
  return _wfopen(path->c_str(), wideMode->c_str());
}

#else

std::FILE* OpenFile(const std::string& utf8Path, const char* mode) {
  return std::fopen(utf8Path.c_str(), mode);
}

#endif
