// The temporary file that takes a file's place, and the messages of its failures.
#include "writer/TemporaryFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/FileOpen.h"

namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// The path up to its last "/", "\" or ":". Where one of these is no separator (a
// backslash on Linux), the name made from this prefix still lies in the target's
// folder, since the cut then falls within the target's own name.
std::string FolderOf(const std::string& path) {
  const size_t last = path.find_last_of("/\\:");
  return last == std::string::npos ? "" : path.substr(0, last + 1);
}

// The folder as a message names it: without its last separator, unless the folder is
// no more than that ("/", "C:\"); "." for the current one.
std::string ShownFolderOf(const std::string& path) {
  std::string folder = FolderOf(path);
  if (folder.size() > 1 && IsSeparator(folder.back()) && !IsSeparator(folder[folder.size() - 2]) &&
      folder[folder.size() - 2] != ':') {
    folder.pop_back();
  }
  return folder.empty() ? "." : folder;
}

}  // namespace

// Built by appending: g++ 12 wrongly warns (-Wrestrict) about a concatenation that
// starts with a one-character string.
std::string QuotedPath(const std::string& path) {
  std::string quoted = "\"";
  quoted += WellFormedUtf8(path);
  quoted += '"';
  return quoted;
}

std::string CannotWriteIn(const std::string& path, const std::string& reason) {
  return "cannot write in " + QuotedPath(ShownFolderOf(path)) + ": " + reason;
}

std::FILE* CreateTemporaryFor(const std::string& path, std::string& temporary) {
  if (const int refusal = ReplaceRefusal(path); refusal != 0) {
    temporary.clear();
    throw GenericError("cannot open " + QuotedPath(path) + ": " + std::strerror(refusal));
  }
  std::FILE* file = CreateUniqueFile(FolderOf(path) + ".plimko-", temporary);
  if (file == nullptr) {
    const int error = errno;
    temporary.clear();
    throw GenericError(CannotWriteIn(path, std::strerror(error)));
  }
  return file;
}

std::string RenameFailure(const std::string& target, int error) {
  std::error_code unknown;
  if (std::filesystem::exists(std::filesystem::symlink_status(PathOf(target), unknown))) {
    return "cannot replace " + QuotedPath(target) + ": " + std::strerror(error);
  }
  return CannotWriteIn(target, std::strerror(error));
}
