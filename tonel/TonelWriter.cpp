// Writing a package into a Tonel source directory, merged with what the user wrote there.
#include "tonel/TonelWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

#include "model/Charset.h"
#include "model/Error.h"
#include "model/FileOpen.h"
#include "tonel/TonelLayout.h"
#include "tonel/TonelMerge.h"
#include "tonel/TonelReader.h"
#include "writer/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

// The exact bytes Pharo writes: no line end after the brace.
constexpr std::string_view kProperties = "{\n\t#format : #tonel\n}";

// Paths are UTF-8 on every system.
fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool ReadsBackAs(const std::string& text, const TonelClass& cls) {
  try {
    return SameClass(ReadTonelClass(text), cls);
  } catch (const PlimkoError&) {
    return false;
  }
}

// A class file ends each method at the bracket that closes its body, so a method whose
// text leaves a string, a comment or a bracket open (a default value such as "Don't"
// copied into it) would make the file unreadable, to Pharo and to the next run alike.
std::string ReadableClassText(const TonelClass& cls) {
  std::string text = TonelClassText(cls);
  if (ReadsBackAs(text, cls)) return text;
  TonelClass alone = cls;
  for (const TonelMethod& method : cls.methods) {
    alone.methods = {method};
    if (!ReadsBackAs(TonelClassText(alone), alone)) {
      throw GenericError("cannot write " + cls.name + (method.classSide ? " class>>#" : ">>#") +
                         method.selector +
                         " in Tonel format: its text leaves a string, a comment or a bracket "
                         "open");
    }
  }
  throw GenericError("cannot write the class " + cls.name + " in Tonel format");
}

// The file's bytes; nothing when there is no file. A file that is there but cannot
// be read stops the run, rather than being taken for absent and written over.
std::optional<std::string> ReadIfPresent(const std::string& path) {
  std::FILE* file = OpenFileToRead(path);
  if (file == nullptr) {
    if (errno == ENOENT) return std::nullopt;
    throw GenericError("cannot open \"" + WellFormedUtf8(path) + "\": " + std::strerror(errno));
  }
  std::string text;
  char block[1 << 14];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
    text.append(block, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw GenericError("cannot read \"" + WellFormedUtf8(path) + "\"");
  return text;
}

std::optional<TonelClass> ParseIfPresent(const std::string& path) {
  std::optional<std::string> text = ReadIfPresent(path);
  if (!text) return std::nullopt;
  try {
    return ReadTonelClass(*text);
  } catch (const PlimkoError& error) {
    throw GenericError("\"" + WellFormedUtf8(path) +
                       "\" is not a Tonel class file: " + error.Message());
  }
}

void MakeFolder(const std::string& dir) {
  std::error_code error;
  fs::create_directories(PathOf(dir), error);
  if (error) {
    throw GenericError("cannot create folder \"" + WellFormedUtf8(dir) + "\": " + error.message());
  }
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(PathOf(path), error);
}

void Remove(const std::string& path) {
  if (!RemoveFile(path)) {
    throw GenericError("cannot remove \"" + WellFormedUtf8(path) + "\": " + std::strerror(errno));
  }
}

constexpr std::string_view kClassFile = ".class.st";

// The class names of the copies of what plimko wrote last.
std::vector<std::string> CopiedClasses(const std::string& copies) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator entry(PathOf(copies), error), end; !error && entry != end;
       entry.increment(error)) {
    const std::u8string file = entry->path().filename().u8string();
    const std::string name(file.begin(), file.end());
    if (name.size() > kClassFile.size() && name.ends_with(kClassFile))
      names.push_back(name.substr(0, name.size() - kClassFile.size()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The writes and removals a run decides on, made only once every file is read.
// The copies of what plimko wrote come last: a run that fails before them
// leaves the old copies, which still tell plimko's text from the user's.
struct Changes {
  std::vector<std::pair<std::string, std::string>> writes;
  std::vector<std::pair<std::string, std::string>> copies;
  std::vector<std::string> removals;
};

}  // namespace

TonelSummary WriteTonelPackage(const std::string& dir, const TonelPackage& package) {
  // The package is a folder of the source directory, never the directory itself
  // or one above it.
  if (package.name.empty() || package.name == "." || package.name == ".." ||
      package.name.find_first_of("/\\") != std::string::npos) {
    throw GenericError("cannot make a package named \"" + package.name + "\"");
  }
  const std::string folder = dir + package.name + "/";
  const std::string copies = dir + ".plimko/" + package.name + "/";
  TonelSummary summary;
  Changes changes;
  std::set<std::string> generated;
  for (const TonelClass& next : package.classes) {
    generated.insert(next.name);
    const std::string path = folder + next.name + std::string(kClassFile);
    const std::string copyPath = copies + next.name + std::string(kClassFile);
    const std::string text = ReadableClassText(next);
    std::optional<TonelClass> current = ParseIfPresent(path);
    const std::optional<std::string> copy = ReadIfPresent(copyPath);
    std::optional<TonelClass> base;
    if (copy) base = ParseIfPresent(copyPath);
    if (!copy || *copy != text) changes.copies.emplace_back(copyPath, text);
    if (!current) {
      ++summary.added;
      changes.writes.emplace_back(path, text);
      continue;
    }
    MergedClass merged = MergeClass(base ? *base : TonelClass{}, *current, next);
    summary.keptAsWritten += merged.keptAsWritten;
    summary.notes.insert(summary.notes.end(), merged.notes.begin(), merged.notes.end());
    if (SameClass(merged.cls, *current)) {
      ++summary.unchanged;
    } else {
      ++summary.updated;
      changes.writes.emplace_back(path, TonelClassText(merged.cls));
    }
  }
  // A class the diagram no longer has goes only when the user left its file as
  // plimko wrote it; the copy goes either way, since the file is the user's now.
  for (const std::string& name : CopiedClasses(copies)) {
    if (generated.count(name) != 0) continue;
    const std::string path = folder + name + std::string(kClassFile);
    const std::string copyPath = copies + name + std::string(kClassFile);
    std::optional<TonelClass> current = ParseIfPresent(path);
    std::optional<TonelClass> base = ParseIfPresent(copyPath);
    if (current && base && SameClass(*current, *base)) {
      ++summary.removed;
      changes.removals.push_back(path);
    } else if (current) {
      summary.notes.push_back("the class " + name +
                              " is no longer in the diagram, but its file was changed: it is "
                              "left as it is");
    }
    changes.removals.push_back(copyPath);
  }

  if (!Exists(dir + ".properties")) WriteFileAtomically(dir + ".properties", kProperties);
  MakeFolder(folder);
  if (!Exists(folder + "package.st")) {
    WriteFileAtomically(folder + "package.st",
                        "Package { #name : " + StonString(package.name) + " }\n");
  }
  for (const auto& [path, text] : changes.writes) WriteFileAtomically(path, text);
  if (!changes.copies.empty()) MakeFolder(copies);
  for (const auto& [path, text] : changes.copies) WriteFileAtomically(path, text);
  for (const std::string& path : changes.removals) Remove(path);
  return summary;
}

std::string SummaryLine(const std::string& package, const TonelSummary& summary) {
  auto count = [](int number, const char* one, const char* many) {
    return std::to_string(number) + " " + (number == 1 ? one : many);
  };
  return package + ": " + count(summary.added, "class", "classes") + " added, " +
         std::to_string(summary.updated) + " updated, " + std::to_string(summary.unchanged) +
         " unchanged, " + std::to_string(summary.removed) + " removed; " +
         count(summary.keptAsWritten, "method", "methods") + " kept as written";
}
