// Files written all or nothing: under a temporary name, renamed into place once complete.
#include "writer/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "model/Error.h"
#include "model/FileOpen.h"

void WriteFileAtomically(const std::string& path, std::string_view text) {
  const std::string temporary = path + ".plimko-new";
  std::FILE* file = OpenFile(temporary, "wb");
  if (file == nullptr) throw GenericError("cannot open \"" + path + "\": " + std::strerror(errno));
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  std::error_code error;
  if (written && closed) {
    std::filesystem::rename(temporary, path, error);
    if (!error) return;
  }
  std::filesystem::remove(temporary);
  throw GenericError("cannot write \"" + path + "\"");
}
